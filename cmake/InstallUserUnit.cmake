# Runs at install time: writes the systemd user unit with the path of the installed tolvane-cli,
# which only then is known (cmake --install --prefix), and installs it where systemd looks for
# the units of that prefix.
#   TOLVANE_UNIT_TEMPLATE  the unit with {BIN} for the programs' folder
#   TOLVANE_UNIT_STAGING   a folder of the build to write the unit in
#   TOLVANE_BINDIR         the programs' folder relative to the prefix

file(READ "${TOLVANE_UNIT_TEMPLATE}" unit)
set(bin "${CMAKE_INSTALL_PREFIX}/${TOLVANE_BINDIR}")
# Inside the quoted ExecStart= path, systemd reads % as a specifier and \ and " as escapes.
string(REPLACE "\\" "\\\\" bin "${bin}")
string(REPLACE "\"" "\\\"" bin "${bin}")
string(REPLACE "%" "%%" bin "${bin}")
string(REPLACE "{BIN}" "${bin}" unit "${unit}")
file(WRITE "${TOLVANE_UNIT_STAGING}/tolvane.service" "${unit}")
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/lib/systemd/user" TYPE FILE
     FILES "${TOLVANE_UNIT_STAGING}/tolvane.service")
