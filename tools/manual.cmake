# The user's manual of the programs' folder, bin/rk52.htm: dataset/rk52.htm with its panel
# pictures embedded. Each picture is drawn by siccora-sim from its scenario in dataset/pictures/
# (NAME.yaml makes pictures/NAME.png), so it shows what the controller really does; a scenario
# that no longer reaches its state fails the build.
#
# siccora-sim needs yaml-cpp and stb, which exist only natively. A cross build therefore builds
# the manual in a native build of its own (build/<preset>/host-manual, the same sources with the
# host's compiler, only the target rk52_manual) and copies it; a build with neither siccora-sim
# nor a host to build it on (a native Windows build without yaml-cpp) leaves the pictures out.
set(manual_source ${dataset_dir}/rk52.htm)
set(manual_output ${program_dir}/rk52.htm)
file(GLOB picture_scenarios CONFIGURE_DEPENDS ${dataset_dir}/pictures/*.yaml)

if(TARGET siccora-sim)
  set(picture_dir ${CMAKE_BINARY_DIR}/manual/pictures)
  file(MAKE_DIRECTORY ${picture_dir})
  set(pictures)
  foreach(scenario ${picture_scenarios})
    get_filename_component(name ${scenario} NAME_WE)
    add_custom_command(
      OUTPUT ${picture_dir}/${name}.png
      COMMAND ${CMAKE_COMMAND} -DSIM=$<TARGET_FILE:siccora-sim> -DSCENARIO=${scenario}
              -DPICTURE=${picture_dir}/${name}.png -P ${CMAKE_SOURCE_DIR}/cmake/draw_manual_picture.cmake
      DEPENDS siccora-sim ${scenario} ${CMAKE_SOURCE_DIR}/cmake/draw_manual_picture.cmake
      COMMENT "Drawing the manual's picture ${name}.png with siccora-sim"
      VERBATIM)
    list(APPEND pictures ${picture_dir}/${name}.png)
  endforeach()
  add_custom_command(
    OUTPUT ${manual_output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${program_dir}
    COMMAND ${make_manual_command} ${manual_source} ${manual_output} ${picture_dir}
    DEPENDS ${make_manual_depends} ${manual_source} ${pictures}
    COMMENT "Writing the user's manual rk52.htm with its pictures"
    VERBATIM)
elseif(CMAKE_CROSSCOMPILING)
  include(ExternalProject)
  set(host_dir ${CMAKE_BINARY_DIR}/host-manual)
  set(host_args -DCMAKE_BUILD_TYPE=Release -DSICCORA_TESTS=OFF -DSICCORA_BENCH=OFF)
  foreach(language C CXX)
    if(CMAKE_${language}_COMPILER_LAUNCHER)
      list(APPEND host_args -DCMAKE_${language}_COMPILER_LAUNCHER=${CMAKE_${language}_COMPILER_LAUNCHER})
    endif()
  endforeach()
  # The sub-build runs on every build (it is quick when nothing changed) so that an edited
  # scenario, controller source or manual text reaches the copy.
  ExternalProject_Add(host_manual
    SOURCE_DIR ${CMAKE_SOURCE_DIR}
    BINARY_DIR ${host_dir}
    CMAKE_ARGS ${host_args}
    BUILD_COMMAND ${CMAKE_COMMAND} --build ${host_dir} --target rk52_manual
    BUILD_BYPRODUCTS ${host_dir}/bin/rk52.htm
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON)
  add_custom_command(
    OUTPUT ${manual_output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${program_dir}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${host_dir}/bin/rk52.htm ${manual_output}
    DEPENDS host_manual ${host_dir}/bin/rk52.htm
    COMMENT "Copying the user's manual rk52.htm from the host build"
    VERBATIM)
else()
  message(STATUS "The user's manual is built without its pictures: siccora-sim is left out")
  add_custom_command(
    OUTPUT ${manual_output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${program_dir}
    COMMAND ${make_manual_command} ${manual_source} ${manual_output} --without-pictures
    DEPENDS ${make_manual_depends} ${manual_source}
    COMMENT "Writing the user's manual rk52.htm without pictures"
    VERBATIM)
endif()
add_custom_target(rk52_manual ALL DEPENDS ${manual_output})
