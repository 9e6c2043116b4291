# The project's warning set; every target of ours goes through here.
function(kq70_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow)
  if(KQ70_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
