# CMake generated Testfile for 
# Source directory: /work/wt/issue9/tests
# Build directory: /work/wt/issue9/build/dev/tests
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
subdirs("support")
subdirs("common")
subdirs("core/schedule")
subdirs("core/controller")
subdirs("core/timesync")
subdirs("mixer")
subdirs("cli")
subdirs("frontend")
