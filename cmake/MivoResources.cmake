# mivo_add_resources(target script.rc [program|library])
#
# Compiles a module's resource script with mivo_rc at build time and adds the
# generated C++ source to the target. The generated source registers the
# module's resources with the process-wide resource chain when the module
# loads; "program" tables are searched before every "library" table (the
# default is library). The script's own folder and platform/include are on
# the include path. The build reruns mivo_rc when the script, any file it
# read, or anything in its folder changes.
function(mivo_add_resources target rcfile)
  set(kind library)
  if(ARGC GREATER 2)
    set(kind ${ARGV2})
  endif()
  if(NOT kind STREQUAL "program" AND NOT kind STREQUAL "library")
    message(FATAL_ERROR "mivo_add_resources(${target}): the kind is program or library, not '${kind}'")
  endif()
  get_filename_component(script "${rcfile}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
  get_filename_component(script_dir "${script}" DIRECTORY)
  get_filename_component(script_name "${script}" NAME_WE)
  set(out "${CMAKE_CURRENT_BINARY_DIR}/${target}_${script_name}_rc.cpp")
  file(GLOB_RECURSE folder_files CONFIGURE_DEPENDS "${script_dir}/*")
  add_custom_command(
    OUTPUT "${out}"
    COMMAND mivo_rc --${kind} --module ${target}
            -I "${script_dir}" -I "${PROJECT_SOURCE_DIR}/platform/include"
            --depfile "${out}.d" -o "${out}" "${script}"
    DEPENDS mivo_rc "${script}" ${folder_files}
    DEPFILE "${out}.d"
    COMMENT "Compiling resources ${rcfile} for ${target}"
    VERBATIM)
  target_sources(${target} PRIVATE "${out}")
endfunction()
