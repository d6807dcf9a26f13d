tests/common_test_autogen/timestamp: \
  /usr/share/cmake-3.25/Modules/GoogleTest.cmake \
  /work/main/tests/CMakeLists.txt \
  /work/main/tests/common/ClsLogSaver_test.cpp \
  /work/main/tests/common/ClsTextSaveLoad_test.cpp \
  /usr/bin/cmake
