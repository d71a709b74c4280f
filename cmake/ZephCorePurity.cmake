# zeph_core is standard C++ only. tests/check_core_purity.sh guards its
# includes; this guards what it links: no library reached through zeph_core's
# link libraries, directly or through the targets it links, may be Qt. Run
# once every target is defined, so that links added from any folder count.

function(_zeph_collect_links target out_var)
  set(found "")
  foreach(property LINK_LIBRARIES INTERFACE_LINK_LIBRARIES)
    get_target_property(links ${target} ${property})
    if(links)
      list(APPEND found ${links})
    endif()
  endforeach()
  set(${out_var} "${found}" PARENT_SCOPE)
endfunction()

function(zeph_check_links_hold_no_qt target)
  set(pending ${target})
  set(seen "")
  while(pending)
    list(POP_FRONT pending current)
    if(current IN_LIST seen)
      continue()
    endif()
    list(APPEND seen ${current})
    _zeph_collect_links(${current} links)
    foreach(link IN LISTS links)
      # $<LINK_ONLY:Qt6::Core> and the like: look inside the expression.
      string(REGEX REPLACE "^\\$<[A-Z_]+:(.*)>$" "\\1" name "${link}")
      if(name MATCHES "(^|[/:])(lib)?Qt[0-9]*([A-Z:]|$)")
        message(FATAL_ERROR
          "${target} must not link Qt: ${current} links ${link}")
      endif()
      if(TARGET ${name})
        list(APPEND pending ${name})
      endif()
    endforeach()
  endwhile()
endfunction()
