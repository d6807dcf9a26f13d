# Additional clean files
cmake_minimum_required(VERSION 3.16)

if("${CONFIG}" STREQUAL "" OR "${CONFIG}" STREQUAL "")
  file(REMOVE_RECURSE
  "cli/CMakeFiles/tolvane-cli_autogen.dir/AutogenUsed.txt"
  "cli/CMakeFiles/tolvane-cli_autogen.dir/ParseCache.txt"
  "cli/CMakeFiles/tolvane_cli_lib_autogen.dir/AutogenUsed.txt"
  "cli/CMakeFiles/tolvane_cli_lib_autogen.dir/ParseCache.txt"
  "cli/tolvane-cli_autogen"
  "cli/tolvane_cli_lib_autogen"
  "common/CMakeFiles/tolcommon_autogen.dir/AutogenUsed.txt"
  "common/CMakeFiles/tolcommon_autogen.dir/ParseCache.txt"
  "common/tolcommon_autogen"
  "core/CMakeFiles/tolcore_autogen.dir/AutogenUsed.txt"
  "core/CMakeFiles/tolcore_autogen.dir/ParseCache.txt"
  "core/tolcore_autogen"
  "tests/CMakeFiles/cli_test_autogen.dir/AutogenUsed.txt"
  "tests/CMakeFiles/cli_test_autogen.dir/ParseCache.txt"
  "tests/CMakeFiles/common_test_autogen.dir/AutogenUsed.txt"
  "tests/CMakeFiles/common_test_autogen.dir/ParseCache.txt"
  "tests/CMakeFiles/controller_test_autogen.dir/AutogenUsed.txt"
  "tests/CMakeFiles/controller_test_autogen.dir/ParseCache.txt"
  "tests/CMakeFiles/schedule_test_autogen.dir/AutogenUsed.txt"
  "tests/CMakeFiles/schedule_test_autogen.dir/ParseCache.txt"
  "tests/CMakeFiles/tolvane_test_main_autogen.dir/AutogenUsed.txt"
  "tests/CMakeFiles/tolvane_test_main_autogen.dir/ParseCache.txt"
  "tests/cli_test_autogen"
  "tests/common_test_autogen"
  "tests/controller_test_autogen"
  "tests/schedule_test_autogen"
  "tests/tolvane_test_main_autogen"
  )
endif()
