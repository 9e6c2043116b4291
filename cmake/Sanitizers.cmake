# AddressSanitizer + UndefinedBehaviorSanitizer for the whole tree. Any report stops the
# process (halt_on_error is set by scripts/test), so a sanitizer finding fails the test.
if(KQ70_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
