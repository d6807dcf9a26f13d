tests/schedule_test_autogen/timestamp: \
  /usr/share/cmake-3.25/Modules/GoogleTest.cmake \
  /work/main/tests/CMakeLists.txt \
  /work/main/tests/core/schedule/ClsFileNameMaker_test.cpp \
  /work/main/tests/core/schedule/ClsSchedule_test.cpp \
  /work/main/tests/core/schedule/ClsWave_test.cpp \
  /work/main/tests/core/schedule/ColSchedule_test.cpp \
  /usr/bin/cmake
