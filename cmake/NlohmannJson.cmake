# nlohmann/json is header-only; Debian installs it for the host. The cross build sees only
# its own root, so it gets a folder that holds just that header tree.
add_library(nlohmann_json_headers INTERFACE)
if(CMAKE_CROSSCOMPILING)
  set(json_root ${CMAKE_BINARY_DIR}/nlohmann-include)
  file(MAKE_DIRECTORY ${json_root})
  if(NOT EXISTS ${json_root}/nlohmann)
    file(CREATE_LINK /usr/include/nlohmann ${json_root}/nlohmann SYMBOLIC)
  endif()
  target_include_directories(nlohmann_json_headers SYSTEM INTERFACE ${json_root})
endif()
