# orx2_set_warnings(<target>): the warning level every target of the project builds with.
function(orx2_set_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                                             -Woverloaded-virtual -Wcast-align -Wnull-dereference)
    if(ORX2_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()
