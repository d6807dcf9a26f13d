# CMake generated Testfile for 
# Source directory: /work/main/tests
# Build directory: /work/main/build/dev/tests
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
include("/work/main/build/dev/tests/common_test[1]_include.cmake")
include("/work/main/build/dev/tests/schedule_test[1]_include.cmake")
include("/work/main/build/dev/tests/controller_test[1]_include.cmake")
include("/work/main/build/dev/tests/cli_test[1]_include.cmake")
