# Checks that every interface of base/orx2basepool/interfaces/ has its member description in its own
# header, where generic code (a GUI binding, the simulator, a property test) finds it:
#
#   cmake -DSOURCE_DIR=<source tree> -P describedinterfaces.cmake
#
# An interface is a class named I... that a header defines (`class IName :` or `class IName {`);
# forward declarations and enumerations do not count. A missing description would otherwise show only
# where a generic walker is first instantiated for that interface, far from the header that lacks it.
cmake_minimum_required(VERSION 3.25)

if(NOT DEFINED SOURCE_DIR)
    message(FATAL_ERROR "describedinterfaces.cmake: -DSOURCE_DIR=... is missing")
endif()

set(folder base/orx2basepool/interfaces)
file(GLOB headers RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/${folder}/*.h)
set(space "[ \t\r\n]")
set(failures)
set(interfaces)
foreach(header ${headers})
    file(READ ${SOURCE_DIR}/${header} text)
    # Comments may name classes, and `enum class IName : ...` is no interface.
    string(REGEX REPLACE "//[^\n]*" "" text "${text}")
    string(REGEX REPLACE "enum${space}+class" "enum" text "${text}")
    string(REGEX MATCHALL "(^|[^A-Za-z0-9_])class${space}+I[A-Za-z0-9_]*${space}*[:{]" declared "${text}")
    foreach(declaration ${declared})
        string(REGEX REPLACE ".*class${space}+(I[A-Za-z0-9_]*).*" "\\1" interface "${declaration}")
        list(APPEND interfaces ${interface})
        if(NOT text MATCHES "template${space}*<>${space}*struct${space}+TDescription<${space}*${interface}${space}*>")
            list(APPEND failures "${interface} (${header}) has no TDescription<${interface}> in its header")
        endif()
    endforeach()
endforeach()

list(LENGTH interfaces count)
if(count EQUAL 0)
    message(FATAL_ERROR "no interface found in ${SOURCE_DIR}/${folder}: is SOURCE_DIR the source tree?")
endif()
if(failures)
    list(LENGTH failures failed)
    list(JOIN failures "\n  " text)
    message(FATAL_ERROR "${failed} of ${count} interfaces are not described:\n  ${text}")
endif()
message(STATUS "${count} interfaces, each described in its header")
