# quillmar_vst_plugin(<target> SOURCES <files...> [DEPENDS <libraries...>] [OUTPUT_NAME <name>] [INSTALL])
#
# A VST 2.4 plug-in module <OUTPUT_NAME>.so built on the plug-in base classes.
# Its sources define `AudioEffect* createEffectInstance(audioMasterCallback)`;
# the module exports exactly VSTPluginMain and main, hides everything else and
# may leave no symbol undefined. INSTALL puts it into QUILLMAR_VST_DIR on
# `cmake --install`.
include_guard(GLOBAL)

set(QUILLMAR_VST_DIR "$ENV{HOME}/.vst" CACHE PATH "Folder that cmake --install puts VST 2.4 plug-ins in")
function(quillmar_vst_plugin target)
  cmake_parse_arguments(ARG "INSTALL" "OUTPUT_NAME" "SOURCES;DEPENDS" ${ARGN})
  if(NOT ARG_OUTPUT_NAME)
    set(ARG_OUTPUT_NAME ${target})
  endif()

  add_library(${target} MODULE ${ARG_SOURCES} ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/VstPluginMain.cpp)
  target_link_libraries(${target} PRIVATE quillmar_plugin ${ARG_DEPENDS})
  set_target_properties(${target} PROPERTIES
    PREFIX ""
    OUTPUT_NAME ${ARG_OUTPUT_NAME}
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)

  # The static libraries linked in keep default visibility; the script hides them too.
  set(version_script ${CMAKE_CURRENT_BINARY_DIR}/${target}.version)
  file(WRITE ${version_script} "{\n  global: VSTPluginMain; main;\n  local: *;\n};\n")
  target_link_options(${target} PRIVATE -Wl,--version-script=${version_script})
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${version_script})
  # Sanitizer runtimes are resolved from the host executable, so only a plain build can insist.
  if(NOT QUILLMAR_SANITIZE)
    target_link_options(${target} PRIVATE -Wl,--no-undefined)
  endif()

  if(ARG_INSTALL)
    install(TARGETS ${target} LIBRARY DESTINATION ${QUILLMAR_VST_DIR})
  endif()
endfunction()
