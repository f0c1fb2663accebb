# TIDREX_SANITIZE: a native build with AddressSanitizer and UndefinedBehaviorSanitizer in which
# every finding ends the program, so a test or fuzz run fails on it (clang's UBSan otherwise
# reports and goes on). scripts/test builds the window-free tests so into build/native-san.
option(TIDREX_SANITIZE "Native build with ASan and UBSan, every finding fatal" OFF)
if(TIDREX_SANITIZE)
  if(WIN32)
    message(FATAL_ERROR "TIDREX_SANITIZE is for the native build")
  endif()
  set(TIDREX_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${TIDREX_SANITIZER_FLAGS})
  add_link_options(${TIDREX_SANITIZER_FLAGS})
endif()
