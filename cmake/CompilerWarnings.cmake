# Warnings every target of ours builds with; the tree is kept clean under them.
# -Wsuggest-override and -Woverloaded-virtual catch a handler that silently
# overrides (or hides) a virtual of its base.
option(BRISQUEL_WERROR "Treat compiler warnings as errors (CI builds with it)" OFF)

function(brisquel_set_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                                             -Wsuggest-override -Woverloaded-virtual)
    if(BRISQUEL_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()
