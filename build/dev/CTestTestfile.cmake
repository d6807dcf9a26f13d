# CMake generated Testfile for 
# Source directory: /work/wt/issue9
# Build directory: /work/wt/issue9/build/dev
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
subdirs("common")
subdirs("mixer/interfaces")
subdirs("mixer/alsa")
subdirs("core")
subdirs("cli")
subdirs("frontend")
subdirs("tests")
