# One place for the flags every target of ours gets: warnings, exact floating
# point (no fused multiply-add, so results match on every compiler) and the
# sanitizers of the checking build. -Wfloat-conversion catches a double
# silently rounded to float, the likeliest quiet fault in the simulation;
# where such a rounding is meant, the code says so with a cast.
function(pebblerun_target_options target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Wfloat-conversion -ffp-contract=off)
  if(PEBBLERUN_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
  if(PEBBLERUN_SANITIZE)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
  if(PEBBLERUN_FUZZ)
    # Coverage feedback for the fuzzers reaches into the code under test too.
    # -O1 as libFuzzer's own instructions build targets: unoptimised, the
    # game's file readers under the sanitizers run about ten times slower and
    # a target makes too few runs to find anything.
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link -O1)
  endif()
endfunction()

# A program that belongs in the application folder beside the game. Built,
# it finds libquillon beside itself; installed ("P/bin" or "P/games"), in
# the game's private library folder "P/lib/games/pebblerun".
function(pebblerun_app_program target)
  pebblerun_target_options(${target})
  set_target_properties(${target} PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${PEBBLERUN_APP_DIR}
    BUILD_RPATH "$ORIGIN"
    INSTALL_RPATH "$ORIGIN/../lib/games/pebblerun")
endfunction()
