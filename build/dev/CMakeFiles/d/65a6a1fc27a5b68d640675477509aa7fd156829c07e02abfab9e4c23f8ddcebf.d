cli/tolvane-cli_autogen/timestamp: \
  /work/main/cli/CMakeLists.txt \
  /work/main/cli/main.cpp \
  /usr/bin/cmake
