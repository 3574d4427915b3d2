# Checks what ORX2_Host and ORX2_Common export, from their dynamic symbol tables:
#
#   cmake -DCHECK=marked|notifying -DNM=<nm> -DSOURCE_DIR=<source tree> -DHOST=<lib> -DCOMMON=<lib>
#         -P exportedsymbols.cmake
#
# CHECK=marked: every exported symbol belongs to what an export macro marks (a class, a function, an
# instantiation of ORX2_NOTIFYING_INTERFACES), or to the toolchain (see below); none belongs to an
# `Internal` namespace. CHECK=notifying: for every interface of the library's list that exists in
# base/orx2basepool/interfaces/, ORX2_Common exports the members of its TNotifyPropertyChangedImpl.
#
# The toolchain exports, besides what is marked, instantiations of the standard library's templates
# whose arguments are all visible (built-in types, enumerations, std types and our exported classes)
# and the function-local statics of its inline functions: libstdc++ declares namespace std with default
# visibility, -fvisibility=hidden applies to our declarations only and -fvisibility-inlines-hidden to
# inline functions only. They are weak (W, V, u), so the dynamic linker merges them with the program's
# copies, which keeps one instance of each static across the process.
cmake_minimum_required(VERSION 3.25)

foreach(var CHECK NM SOURCE_DIR HOST COMMON)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "exportedsymbols.cmake: -D${var}=... is missing")
    endif()
endforeach()

# The interfaces whose TNotifyPropertyChangedImpl<I> ORX2_Common exports once they exist.
set(notifying_interfaces
    I3DSceneViewModel IAcquisitionButtonViewModel IAreaItemViewModel IAreaOcclusalDirectionDataExchangeModel
    IAreaOptimizationStateDataExchangeModel IAreaRegistrationResultDataExchangeModel IAreaViewModel
    IBuccalRegistrationResultDataExchangeModel ICameraCalibrationViewModel ICaptureKeysViewModel
    ICaseRequiredAreasDataExchangeModel IColorCalibDialogViewModel IInstantiatedAreaDataExchangeModel
    IIsModelTabAllowedDataExchangeModel ILiveImageViewModel ILiveOptionsItemViewModel ILiveOptionsViewModel
    ILiveSubOptionsItemViewModel ILiveSubOptionsViewModel ILiveVideoViewModel ILockGUIViewModel
    IQRCodeViewModel IReconstructionProgressBarDataExchangeModel IReconstructionResultDataExchangeModel
    ISeatPositionDataExchangeModel ISidePanelItemViewModel ISidePanelToolItemViewModel ISidePanelViewModel
    ISliderViewModel IStepMenuItemViewModel IStepMenuViewModel IThumbnailBarViewModel IThumbnailItemViewModel
    IToolActionViewModel ITrashViewModel IVideoMode2DDataExchangeModel)
set(exports_header base/orx2basepool/tnotifypropertychangedimplexports.h)

# read_symbols(<out-list> <library>): the demangled names of the library's defined dynamic symbols,
# "<nm type> <name>" each, with [abi:...] tags dropped and square brackets turned into braces (CMake
# lists would not split inside brackets).
function(read_symbols out library)
    execute_process(COMMAND ${NM} -D --defined-only -C ${library} OUTPUT_VARIABLE text RESULT_VARIABLE rc
                    ERROR_VARIABLE error)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "${NM} failed on ${library}: ${error}")
    endif()
    string(REGEX REPLACE "\\[abi:[A-Za-z0-9_]+\\]" "" text "${text}")
    string(REPLACE "[" "{" text "${text}")
    string(REPLACE "]" "}" text "${text}")
    string(REPLACE ";" "," text "${text}")
    string(REGEX REPLACE "[0-9a-fA-F]* ([A-Za-z]) ([^\n]*)\n" "\\1 \\2;" text "${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

# strip_nested(<var> <open> <close>): removes every <open>...<close> group, nested ones included.
function(strip_nested var open close)
    set(text "${${var}}")
    while(TRUE)
        string(REGEX REPLACE "[${open}][^${open}${close}]*[${close}]" "" stripped "${text}")
        if(stripped STREQUAL text)
            break()
        endif()
        set(text "${stripped}")
    endwhile()
    set(${var} "${text}" PARENT_SCOPE)
endfunction()

# scope_path(<out> <name>): the qualified name a symbol belongs to, as a list of its components without
# template arguments and parameters: "vtable for Base::TProperty<int>" gives Base;TProperty,
# "void std::vector<int>::_M_realloc_insert<int>(...)" gives std;vector;_M_realloc_insert.
function(scope_path out name)
    string(REGEX REPLACE "^[A-Za-z -]* (for|to) " "" name "${name}")
    string(REGEX REPLACE "operator[^(]*\\(" "operator_(" name "${name}")
    strip_nested(name "<" ">")
    strip_nested(name "(" ")")
    strip_nested(name "{" "}")
    string(REGEX REPLACE "( (const|volatile|&|&&))+$" "" name "${name}")
    string(REGEX REPLACE "^.* " "" name "${name}")
    string(REPLACE "::" ";" path "${name}")
    set(${out} "${path}" PARENT_SCOPE)
endfunction()

# `out`: TRUE when an element of the list named `items` is in the list named `candidates`.
function(any_in_list out items candidates)
    foreach(item ${${items}})
        if(item IN_LIST ${candidates})
            set(${out} TRUE PARENT_SCOPE)
            return()
        endif()
    endforeach()
    set(${out} FALSE PARENT_SCOPE)
endfunction()

# What the export macros mark: class names, and function names qualified as written.
# collect_names(<list> <header> <line regex> <name regex> <group>): appends to <list> the group <group>
# of <name regex> on each line of <header> that matches <line regex>.
function(collect_names list header line_regex name_regex group)
    set(names ${${list}})
    file(STRINGS ${header} lines REGEX "${line_regex}")
    foreach(line ${lines})
        if(line MATCHES "${name_regex}")
            list(APPEND names ${CMAKE_MATCH_${group}})
        endif()
    endforeach()
    set(${list} ${names} PARENT_SCOPE)
endfunction()

set(marked_classes)
set(marked_functions)
set(enumerations)
set(shared_statics)
file(GLOB_RECURSE headers ${SOURCE_DIR}/host/*.h ${SOURCE_DIR}/base/orx2basepool/*.h
     ${SOURCE_DIR}/businesslayer/common/*.h)
foreach(header ${headers})
    # Enumerations: the toolchain exports their typeinfo where a visible template uses it.
    collect_names(enumerations ${header} "^[ \t]*enum[ \t]"
                  "enum[ \t]+(class[ \t]+|struct[ \t]+)?([A-Za-z_][A-Za-z0-9_]*)" 2)
    # Statics that must exist once in the process, whichever library or program runs the inline code
    # that uses them: exported on purpose (weak), even from an Internal namespace.
    # (An attribute macro such as ORX2_STATIC_TLS may stand between the name and its initializer.)
    collect_names(shared_statics ${header} "^[ \t]*ORX2_SHARED_ACROSS_MODULES[ \t]"
                  "([A-Za-z_][A-Za-z0-9_]*)[ \t]*(ORX2_[A-Z_]+[ \t]*)?(\\(|=|;)" 1)
    file(STRINGS ${header} lines REGEX "ORX2_[A-Z]+_EXPORT")
    foreach(line ${lines})
        if(line MATCHES "^[ \t]*(#|//)")
            continue()
        elseif(line MATCHES "(class|struct)[ \t]+ORX2_[A-Z]+_EXPORT[ \t]+([A-Za-z_][A-Za-z0-9_]*)")
            list(APPEND marked_classes ${CMAKE_MATCH_2})
        elseif(line MATCHES "ORX2_[A-Z]+_EXPORT[^(]* ([A-Za-z_][A-Za-z0-9_:<>, ]*)\\(")
            set(function "${CMAKE_MATCH_1}")
            strip_nested(function "<" ">")
            list(APPEND marked_functions "${function}")
        endif()
    endforeach()
endforeach()
file(READ ${SOURCE_DIR}/${exports_header} exports)
string(REGEX MATCHALL "\n[ \t]*X\\(I[A-Za-z0-9]+\\)" listed "${exports}")
string(REGEX REPLACE "[\n \t]*X\\((I[A-Za-z0-9]+)\\)" "\\1" listed "${listed}")

read_symbols(host_symbols ${HOST})
read_symbols(common_symbols ${COMMON})

set(failures)
if(CHECK STREQUAL "marked")
    set(toolchain_count 0)
    foreach(library HOST COMMON)
        get_filename_component(file ${${library}} NAME)
        string(TOLOWER ${library} lower)
        foreach(symbol ${${lower}_symbols})
            string(SUBSTRING "${symbol}" 2 -1 name)
            scope_path(path "${name}")
            list(GET path 0 outermost)
            if(name MATCHES "(^| for | to )Base::TNotifyPropertyChangedImpl<Base::(I[A-Za-z0-9]+)>")
                if(NOT CMAKE_MATCH_2 IN_LIST listed)
                    list(APPEND failures "${file}: ${name}: TNotifyPropertyChangedImpl of an interface "
                                         "that is not in ORX2_NOTIFYING_INTERFACES")
                endif()
                continue()
            endif()
            if(outermost MATCHES "^(std|__gnu_cxx|__cxxabiv1)$"
               OR name MATCHES "^(_init|_fini|_edata|_end|__bss_start)$")
                if(name MATCHES "Internal::")
                    list(APPEND failures "${file}: ${name}: the toolchain exports it because a type of an "
                                         "Internal namespace is visible")
                endif()
                math(EXPR toolchain_count "${toolchain_count} + 1")
                continue()
            endif()
            any_in_list(shared path shared_statics)
            list(GET path -1 innermost)
            if(shared OR (name MATCHES "^typeinfo (name )?for " AND innermost IN_LIST enumerations))
                math(EXPR toolchain_count "${toolchain_count} + 1")
                continue()
            endif()
            if("Internal" IN_LIST path)
                list(APPEND failures "${file}: ${name}: belongs to an Internal namespace")
                continue()
            endif()
            any_in_list(allowed path marked_classes)
            string(REPLACE ";" "::" qualified "${path}")
            foreach(function ${marked_functions})
                if(qualified STREQUAL function OR qualified MATCHES "::${function}$")
                    set(allowed TRUE)
                endif()
            endforeach()
            if(NOT allowed)
                list(APPEND failures "${file}: ${name}: belongs to no class or function marked for export")
            endif()
        endforeach()
    endforeach()
    list(LENGTH host_symbols host_count)
    list(LENGTH common_symbols common_count)
    list(LENGTH marked_classes class_count)
    list(LENGTH marked_functions function_count)
    message(STATUS "${host_count} + ${common_count} exported symbols, ${toolchain_count} of them the "
                   "toolchain's; ${class_count} classes and ${function_count} functions marked")
elseif(CHECK STREQUAL "notifying")
    file(GLOB interface_headers ${SOURCE_DIR}/base/orx2basepool/interfaces/*.h)
    set(existing)
    foreach(header ${interface_headers})
        file(READ ${header} text)
        foreach(interface ${notifying_interfaces})
            if(text MATCHES "class[ \t\n]+${interface}[ \t\n]*[:{]")
                list(APPEND existing ${interface})
            endif()
        endforeach()
    endforeach()
    foreach(interface ${existing})
        set(impl "Base::TNotifyPropertyChangedImpl<Base::${interface}>")
        foreach(member "GetPropertyChangedEventSignal() const" "GetPropertyChangedEventSignal()"
                       "TNotifyPropertyChangedImpl()" "~TNotifyPropertyChangedImpl()")
            set(symbol "${impl}::${member}")
            string(FIND "${common_symbols}" "${symbol};" found)
            if(found EQUAL -1)
                list(APPEND failures "Base::${interface} exists, but ORX2_Common does not export ${symbol}: "
                                     "add X(${interface}) and its include to ${exports_header}")
                break()
            endif()
        endforeach()
    endforeach()
    list(LENGTH existing existing_count)
    message(STATUS "${existing_count} of the library's notifying interfaces exist: ${existing}")
else()
    message(FATAL_ERROR "exportedsymbols.cmake: CHECK must be marked or notifying, not ${CHECK}")
endif()

if(failures)
    list(LENGTH failures count)
    list(JOIN failures "\n  " text)
    message(FATAL_ERROR "${count} problem(s):\n  ${text}")
endif()
