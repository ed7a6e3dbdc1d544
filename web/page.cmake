# Puts the page into the web folder: index.html, told which of the game's files follow after the
# start (LATE, a pattern in GAME_DIR: the game starts without them), and those files beside it,
# where the page fetches them from.
# cmake -DGAME_DIR=... -DWEB_DIR=... -DPAGE=index.html -DLATE=Music/*.mp3 -P page.cmake
file(GLOB late RELATIVE ${GAME_DIR} ${GAME_DIR}/${LATE})
list(SORT late)
set(quoted "")
foreach(name IN LISTS late)
  get_filename_component(folder ${WEB_DIR}/${name} DIRECTORY)
  file(COPY ${GAME_DIR}/${name} DESTINATION ${folder})
  list(APPEND quoted "\"${name}\"")
endforeach()
list(JOIN quoted ", " VORMELDA_LATE_FILES)
configure_file(${PAGE} ${WEB_DIR}/index.html @ONLY)
