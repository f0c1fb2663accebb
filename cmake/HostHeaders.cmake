# Header-only libraries that Debian installs for the host. The cross build sees only its own
# root, so each gets a folder that holds just its header tree.
#   tidrex_host_headers(target folder): target is an interface library that puts
#   /usr/include/<folder> on the include path (as a system folder: its warnings are not ours).
function(tidrex_host_headers target folder)
  add_library(${target} INTERFACE)
  if(CMAKE_CROSSCOMPILING)
    set(root ${CMAKE_BINARY_DIR}/host-include/${target})
    file(MAKE_DIRECTORY ${root})
    if(NOT EXISTS ${root}/${folder})
      file(CREATE_LINK /usr/include/${folder} ${root}/${folder} SYMBOLIC)
    endif()
    target_include_directories(${target} SYSTEM INTERFACE ${root})
  endif()
endfunction()

tidrex_host_headers(nlohmann_json_headers nlohmann)
tidrex_host_headers(cli11_headers CLI)
