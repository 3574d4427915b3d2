# orx2_set_warnings(<target>): the warning level every target of the project builds with.
#
# -Wnull-dereference is only as precise as the optimiser's view of the code: at -O1 GCC 12 reports
# false positives inside libstdc++'s own vector code. The sanitizer presets compile at -O1 to save CI
# time and switch it off with ORX2_WARN_NULL_DEREFERENCE; the default build (-O2) keeps it.
option(ORX2_WARN_NULL_DEREFERENCE "Warn about null dereferences the optimiser can prove (needs -O2)" ON)
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
        if(ORX2_WARN_NULL_DEREFERENCE)
            target_compile_options(${target} PRIVATE -Wnull-dereference)
        endif()
        if(ORX2_WERROR)
            target_compile_options(${target} PRIVATE -Werror)
        endif()
    endif()
endfunction()
