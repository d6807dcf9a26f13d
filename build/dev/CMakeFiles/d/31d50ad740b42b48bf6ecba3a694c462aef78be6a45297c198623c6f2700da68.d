common/tolcommon_autogen/timestamp: \
  /work/main/common/AppFolder.cpp \
  /work/main/common/AppFolder.h \
  /work/main/common/CMakeLists.txt \
  /work/main/common/ClsLogSaver.cpp \
  /work/main/common/ClsLogSaver.h \
  /work/main/common/ClsTextSaveLoad.cpp \
  /work/main/common/ClsTextSaveLoad.h \
  /work/main/common/DateTimeText.cpp \
  /work/main/common/DateTimeText.h \
  /work/main/common/FileError.cpp \
  /work/main/common/FileError.h \
  /work/main/common/NumberedError.cpp \
  /work/main/common/NumberedError.h \
  /work/main/common/TextCodec.cpp \
  /work/main/common/TextCodec.h \
  /usr/bin/cmake
