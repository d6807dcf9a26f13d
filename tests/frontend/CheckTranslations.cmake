# Runs lupdate over the window's sources into a copy of the translation file and fails when the
# copy differs from the file (texts added, changed or dropped since it was last brought up to
# date) or holds a text without its translation.
#   cmake -DLUPDATE=... -DTS=... -DSOURCES=... -DWORK=... -P CheckTranslations.cmake

file(MAKE_DIRECTORY ${WORK})
get_filename_component(name ${TS} NAME)
set(copy ${WORK}/${name})
configure_file(${TS} ${copy} COPYONLY)
execute_process(
  COMMAND ${LUPDATE} -silent -locations none -no-obsolete -source-language ja -target-language en ${SOURCES} -ts ${copy}
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "lupdate failed (${status})")
endif()

file(READ ${TS} committed)
file(READ ${copy} updated)
string(REGEX MATCHALL "<source>[^<]*</source>[ \n]*<translation type=\"unfinished\">" unfinished "${updated}")
if(unfinished)
  string(REPLACE ";" "\n" unfinished "${unfinished}")
  message(FATAL_ERROR "texts without an English translation in ${name}:\n${unfinished}")
endif()
if(NOT committed STREQUAL updated)
  message(FATAL_ERROR "${name} is not up to date with the sources: build the target tolvane_update_translations "
                      "and compare with ${copy}")
endif()
