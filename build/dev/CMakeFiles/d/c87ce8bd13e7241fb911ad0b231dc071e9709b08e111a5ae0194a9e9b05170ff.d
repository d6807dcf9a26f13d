tests/controller_test_autogen/timestamp: \
  /usr/share/cmake-3.25/Modules/GoogleTest.cmake \
  /work/main/tests/CMakeLists.txt \
  /work/main/tests/core/controller/ClsController_test.cpp \
  /usr/bin/cmake
