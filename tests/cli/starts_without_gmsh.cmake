# Neither the window nor trivane-cli may need the Gmsh library to start, even
# through another library: mesh and adapt load it when they run.
# Takes -DCLI=... -DWINDOW=...
foreach(program "${CLI}" "${WINDOW}")
  file(GET_RUNTIME_DEPENDENCIES EXECUTABLES "${program}"
       RESOLVED_DEPENDENCIES_VAR resolved UNRESOLVED_DEPENDENCIES_VAR unresolved)
  foreach(library ${resolved} ${unresolved})
    if(library MATCHES "libgmsh")
      message(FATAL_ERROR "${program} needs ${library} to start")
    endif()
  endforeach()
endforeach()
