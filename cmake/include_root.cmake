# Who may include whom is said by include paths. A layer compiles against an include root of its
# own in the build tree, holding links to exactly the source folders it may include: a header of
# any other folder is not found there, so including it fails the build. The source root itself is
# on no library's include path.
function(tapdash_include_root layer)
  set(root ${CMAKE_BINARY_DIR}/include/${layer})
  file(REMOVE_RECURSE ${root})  # drops links a shorter list no longer names; never follows them
  foreach(folder IN LISTS ARGN)
    get_filename_component(parent ${root}/${folder} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
  endforeach()
  set(${layer}_include_root ${root} PARENT_SCOPE)
endfunction()
