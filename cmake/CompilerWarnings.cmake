# Warnings every target of ours builds with; the tree is kept clean under them.
function(brisquel_set_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor)
endfunction()
