cli/tolvane_cli_lib_autogen/timestamp: \
  /work/main/cli/CMakeLists.txt \
  /work/main/cli/CliCommands.cpp \
  /work/main/cli/CliCommands.h \
  /usr/bin/cmake
