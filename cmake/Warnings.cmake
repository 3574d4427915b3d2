# orx2_set_warnings(<target>): the warning level every target of the project builds with.
#
# -Wnull-dereference is only as precise as the optimiser's view of the code: at -O1 GCC 12 reports
# false positives inside libstdc++'s own vector code. So it is left out where the build type compiles at
# -O1 (the sanitizer presets, to save CI time) and, through orx2_set_test_options, in test code.
function(orx2_set_warnings target)
    if(MSVC)
        # /permissive- holds MSVC to the standard the other compilers see; /Zc:__cplusplus makes the
        # macro tell the truth; /utf-8 reads the sources and wide literals as UTF-8.
        target_compile_options(${target} PRIVATE /W4 /permissive- /Zc:__cplusplus /utf-8)
        if(ORX2_WERROR)
            target_compile_options(${target} PRIVATE /WX)
        endif()
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                                                 -Woverloaded-virtual -Wcast-align)
        string(TOUPPER "${CMAKE_BUILD_TYPE}" config)
        if(NOT "${CMAKE_CXX_FLAGS_${config}}" MATCHES "-O1")
            target_compile_options(${target} PRIVATE -Wnull-dereference)
        endif()
        if(ORX2_WERROR)
            target_compile_options(${target} PRIVATE -Werror)
        endif()
    endif()
endfunction()

# orx2_set_test_options(<target>): the warnings, and a lighter optimisation for test code. A test binary's
# speed hardly matters, while -O2 costs the template-heavy suites twice the compile time of -O1; the
# library and the programs they test keep the build's own level. At -O1, -Wnull-dereference is imprecise
# (see above), so test code goes without it.
function(orx2_set_test_options target)
    orx2_set_warnings(${target})
    if(NOT MSVC)
        target_compile_options(${target} PRIVATE "$<$<CONFIG:RelWithDebInfo,Release>:-O1;-Wno-null-dereference>")
    endif()
endfunction()
