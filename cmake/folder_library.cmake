# Every folder of src/ is one static library. Its headers are included by
# their path below src/ ("table/card_display.h"), and a library's include
# path holds its own folder only: a folder in the build tree with a link to
# it. A library sees the folders it links and nothing else, so an include of a
# folder above it (one it does not link) fails to build.
#
#   zuv_folder_library(<target> <folder below src/> <sources>...)
function(zuv_folder_library target folder)
  add_library(${target} STATIC ${ARGN})
  set(root ${PROJECT_BINARY_DIR}/include/${target})
  get_filename_component(parent ${root}/${folder} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${folder} SYMBOLIC)
  target_include_directories(${target} PUBLIC ${root})
endfunction()

# A folder of the window: Qt's meta-object compiler runs on its sources.
function(zuv_window_library target folder)
  zuv_folder_library(${target} ${folder} ${ARGN})
  set_target_properties(${target} PROPERTIES AUTOMOC ON)
endfunction()
