# Flags of the fuzz build (-DBRIVEN_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++-14).
# Every library is built with coverage feedback for libFuzzer and with
# AddressSanitizer and UndefinedBehaviorSanitizer, so a fault deep in a
# parser is seen where it happens; only the targets link libFuzzer's main.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "BRIVEN_FUZZ needs clang (e.g. -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_C_COMPILER=clang-14)")
endif()
add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
                    -fno-omit-frame-pointer -g)
add_link_options(-fsanitize=address,undefined)
# clang warns of things g++ (the project's compiler, which keeps -Werror
# for every folder) does not: hidden overloaded virtuals, unused constants.
# Folders under active work must not break the fuzz build for that, so the
# libraries keep these as warnings; the fuzz targets themselves stay -Werror.
add_compile_options(-Wno-error)
