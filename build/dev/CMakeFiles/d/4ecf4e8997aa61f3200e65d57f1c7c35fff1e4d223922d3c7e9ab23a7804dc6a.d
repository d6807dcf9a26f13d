tests/tolvane_test_main_autogen/timestamp: \
  /usr/share/cmake-3.25/Modules/GoogleTest.cmake \
  /work/main/tests/CMakeLists.txt \
  /work/main/tests/support/test_main.cpp \
  /usr/bin/cmake
