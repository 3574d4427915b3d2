# orx2_set_warnings(<target>): the warning level every target of the project builds with.
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
                                                 -Woverloaded-virtual -Wcast-align -Wnull-dereference)
        if(ORX2_WERROR)
            target_compile_options(${target} PRIVATE -Werror)
        endif()
    endif()
endfunction()
