# Strict warnings for every target of the project; -Werror when TOLVANE_WERROR is on (CI).
add_compile_options(-Wall -Wextra -Wpedantic)
if(TOLVANE_WERROR)
  add_compile_options(-Werror)
endif()

if(TOLVANE_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

find_program(CCACHE_PROGRAM ccache)
if(CCACHE_PROGRAM)
  set(CMAKE_CXX_COMPILER_LAUNCHER ${CCACHE_PROGRAM})
endif()

# The fuzz build instruments every library too, so that coverage guides the fuzzer into the
# code under test and not only into the small fuzz target itself.
if(TOLVANE_BUILD_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
