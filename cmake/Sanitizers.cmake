# AddressSanitizer + UndefinedBehaviorSanitizer for the whole tree. Any report stops the
# process (halt_on_error is set by scripts/test), so a sanitizer finding fails the test.
if(KQ70_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# ThreadSanitizer, for the tests that run a worker thread (scripts/test builds only those).
if(KQ70_TSAN)
  if(KQ70_SANITIZE)
    message(FATAL_ERROR "KQ70_TSAN and KQ70_SANITIZE cannot be combined")
  endif()
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()
