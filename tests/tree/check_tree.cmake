# The shape of the source tree, checked by CTest: no source file (.cpp, .h, .hpp, .inl) over
# MAX_LINES lines (1,000 unless given) or straight in the tree's root; every include, quoted or
# in angle brackets, keeps to the order of the folders and layers in docs/CONVENTIONS.md and
# of the grid's rooms, and has no . or .. in its path; only the rooms of grid_whole_rooms
# include the grid's whole class, and of core's headers only that class's own; the program's
# folders include of the grid only its start-up and shut-down; every top-level folder is known here; and grid/README.md
# names every file of grid/ and no file that is not there. Run as
#   cmake -DROOT=<tree> [-DMAX_LINES=n] [-DGRID_ROOMS="a b,c"] -P check_tree.cmake
# It lists every fault and fails when there is one. The fixtures under fixture/ hold one fault
# each; expect_fault.cmake runs this check on one of them.
cmake_minimum_required(VERSION 3.25)
if(NOT ROOT)
  message(FATAL_ERROR "ROOT not set")
endif()
if(NOT MAX_LINES)
  set(MAX_LINES 1000)
endif()

# The program's folders from the top down. A folder includes its own headers and those of the
# folders on later entries, never those of a folder on its own entry or above it. The libraries
# stand on one entry so that none reaches another or the program.
set(program_order
    app
    "statements corrections"
    documents
    "dictionaries settings"
    shell
    "grid printlib reportlib"
    platform)

# The platform's layers and the layers each builds on (its libraries' links, platform/CMakeLists.txt).
set(platform_layers codepage system registry text data ui report)
set(platform_codepage "")
set(platform_system "")
set(platform_registry codepage system)
set(platform_text codepage registry)
set(platform_data codepage registry text)
set(platform_ui codepage registry text data)
set(platform_report codepage system registry text data ui)

# Top-level folders of tools, tests and benchmarks, which may include anything but a path
# with . or .. in it. A top-level folder on neither list is a fault: give it a place.
set(free_folders tests bench db docs)

# The rooms (subfolders) of grid/ from the top down, peers on one entry as in program_order:
# a room includes its own headers and those of the rooms on later entries, never a peer's.
# The features that build on core and need none of each other (paint, edit, print, sort)
# stand side by side.
# Files straight in grid/ stand above every room. `xls` is the .xls helper program, which
# includes nothing of the grid. GRID_ROOMS (entries comma-separated, peers space-separated)
# replaces the list, for the fixtures.
set(grid_rooms columngrid input files "paint edit print sort" core "settings text" "controls xls")
if(DEFINED GRID_ROOMS)
  string(REPLACE "," ";" grid_rooms "${GRID_ROOMS}")
endif()
# The rooms whose files may include the grid's whole class (core/Txgrid.h). The others reach
# the grid through a narrow host and so stay out of a rebuild when its declaration changes.
set(grid_whole_rooms columngrid input files paint core)
set(grid_whole grid/core/Txgrid.h)
# What the program's folders may include of the grid: its start-up and shut-down. The windows
# place the grid through the platform's view; nothing else of the library is theirs.
set(grid_program_headers grid/TxgridStartup.h)

# Each room's entry in grid_rooms (0 at the top), and the plain list of rooms.
set(grid_room_names)
set(at 0)
foreach(entry IN LISTS grid_rooms)
  separate_arguments(rooms UNIX_COMMAND "${entry}")
  foreach(r IN LISTS rooms)
    set(grid_level_${r} ${at})
    list(APPEND grid_room_names ${r})
  endforeach()
  math(EXPR at "${at} + 1")
endforeach()

# The folders each program folder may include, and every folder the tree's includes may name.
set(project_folders)
set(below)
list(REVERSE program_order)
foreach(entry IN LISTS program_order)
  separate_arguments(folders UNIX_COMMAND "${entry}")
  foreach(f IN LISTS folders)
    set(allow_${f} ${f} ${below})
  endforeach()
  list(APPEND below ${folders})
  list(APPEND project_folders ${folders})
endforeach()
list(REVERSE program_order)

set(faults "")
set(unknown_folders "")

# Whether `inc` names a header of `folder` or of a folder inside it.
function(under inc folder out)
  string(LENGTH "${folder}/" n)
  string(SUBSTRING "${inc}" 0 ${n} head)
  if(head STREQUAL "${folder}/")
    set(${out} TRUE PARENT_SCOPE)
  else()
    set(${out} FALSE PARENT_SCOPE)
  endif()
endfunction()

file(GLOB_RECURSE files RELATIVE ${ROOT} ${ROOT}/*.cpp ${ROOT}/*.h ${ROOT}/*.hpp ${ROOT}/*.inl)
list(SORT files)
set(grid_files "")
foreach(rel IN LISTS files)
  if(rel MATCHES "^(build[^/]*|\\.git)/" OR rel MATCHES "/fixture/")
    continue()
  endif()
  file(READ ${ROOT}/${rel} text)
  string(REGEX MATCHALL "\n" nl "${text}")
  list(LENGTH nl count)
  if(count GREATER MAX_LINES)
    list(APPEND faults "${rel}: ${count} lines (at most ${MAX_LINES})")
  endif()

  # The file's place: a platform layer, a grid room, a program folder, or a free folder.
  set(layer "")
  set(room "")
  set(top "")
  if(rel MATCHES "^platform/([^/]+)/")
    set(layer ${CMAKE_MATCH_1})
    if(NOT layer IN_LIST platform_layers)
      list(APPEND faults "${rel}: platform/${layer} is not a platform layer of check_tree.cmake")
      continue()
    endif()
  elseif(rel MATCHES "^platform/")
    list(APPEND faults "${rel}: straight in platform/, in no platform layer")
    continue()
  elseif(NOT rel MATCHES "/")
    list(APPEND faults "${rel}: straight in the tree's root, in no folder")
    continue()
  elseif(rel MATCHES "^([^/]+)/")
    set(top ${CMAKE_MATCH_1})
    if(top IN_LIST free_folders)
      set(top "") # tests, benchmarks, tools: any folder
    elseif(NOT DEFINED allow_${top})
      if(NOT top IN_LIST unknown_folders)
        list(APPEND unknown_folders ${top})
        list(APPEND faults "${top}/: a top-level folder check_tree.cmake does not know (program_order or free_folders)")
      endif()
      continue()
    endif()
    if(top STREQUAL "grid")
      list(APPEND grid_files ${rel})
      if(rel MATCHES "^grid/([^/]+)/")
        set(room ${CMAKE_MATCH_1})
        if(NOT room IN_LIST grid_room_names)
          list(APPEND faults "${rel}: grid/${room}/ is not a room of grid_rooms in check_tree.cmake")
          continue()
        endif()
      else()
        set(room "-") # straight in grid/, above every room
      endif()
    endif()
  endif()

  file(STRINGS ${ROOT}/${rel} lines REGEX "^[ \t]*#[ \t]*include")
  foreach(line IN LISTS lines)
    if(NOT line MATCHES "^[ \t]*#[ \t]*include[ \t]*([<\"])([^>\"]+)[>\"]")
      continue()
    endif()
    # Kept before the next match overwrites CMAKE_MATCH_<n>.
    set(quoted FALSE)
    if(CMAKE_MATCH_1 STREQUAL "\"")
      set(quoted TRUE)
    endif()
    set(inc ${CMAKE_MATCH_2})
    if(quoted)
      set(shown "\"${inc}\"")
    else()
      set(shown "<${inc}>")
    endif()
    # A path that climbs or stands still hides where it leads: "grid/core/../sort/X.h" is
    # sort's header under core's name.
    if(inc MATCHES "(^|/)\\.\\.?(/|$)")
      list(APPEND faults "${rel}: includes ${shown}, a path with . or .. in it (name it from the top of the tree)")
      continue()
    endif()
    if(top STREQUAL "" AND layer STREQUAL "")
      continue() # a free folder
    endif()
    if(NOT inc MATCHES "/")
      continue() # a header beside the file, or a system or Qt header
    endif()
    string(REGEX MATCH "^[^/]*" first "${inc}")
    if(NOT first IN_LIST project_folders)
      if(quoted)
        list(APPEND faults "${rel}: includes ${shown}, named neither from the top of the tree nor beside the file")
      endif()
      continue() # <sys/...>, <QtCore/...>: not ours
    endif()

    if(layer)
      set(ok FALSE)
      foreach(l IN ITEMS ${layer} ${platform_${layer}})
        under("${inc}" platform/${l} hit)
        if(hit)
          set(ok TRUE)
        endif()
      endforeach()
      if(NOT ok)
        list(JOIN platform_${layer} ", " on)
        if(NOT on)
          set(on "none")
        endif()
        list(APPEND faults "${rel}: includes ${shown}, outside platform/${layer} and the layers it builds on (${on})")
      endif()
      continue()
    endif()

    if(NOT first IN_LIST allow_${top})
      list(APPEND faults "${rel}: includes ${shown}, and ${first}/ is not below ${top}/ in the order of the program's folders")
      continue()
    endif()
    if(first STREQUAL "grid" AND NOT top STREQUAL "grid" AND NOT inc IN_LIST grid_program_headers)
      list(JOIN grid_program_headers ", " only)
      list(APPEND faults "${rel}: includes ${shown}, and the program's folders include of the grid only ${only}")
      continue()
    endif()
    if(room AND first STREQUAL "grid" AND NOT room STREQUAL "-")
      # Within the grid: a room includes its own and later entries' rooms; grid/ itself any.
      if(inc MATCHES "^grid/([^/]+)/")
        set(to ${CMAKE_MATCH_1})
        if(NOT to STREQUAL room AND NOT DEFINED grid_level_${to})
          list(APPEND faults "${rel}: includes ${shown}, and grid/${to}/ is not grid/${room}/ or a room below it in grid_rooms")
        elseif(NOT to STREQUAL room AND grid_level_${to} LESS_EQUAL grid_level_${room})
          if(grid_level_${to} EQUAL grid_level_${room})
            set(why "a peer of grid/${room}/ on its entry")
          else()
            set(why "not grid/${room}/ or a room below it")
          endif()
          list(APPEND faults "${rel}: includes ${shown}, and grid/${to}/ is ${why} in grid_rooms")
        elseif(inc STREQUAL grid_whole AND NOT room IN_LIST grid_whole_rooms)
          list(APPEND faults "${rel}: includes ${shown}, the grid's whole class, and grid/${room}/ is not in grid_whole_rooms (it has a host)")
        elseif(inc STREQUAL grid_whole AND room STREQUAL "core" AND rel MATCHES "\\.(h|hpp|inl)$" AND NOT rel STREQUAL grid_whole)
          # A header of core that brought the whole class in would hand it to every room
          # that includes that header, hosts or not.
          list(APPEND faults "${rel}: includes ${shown}, the grid's whole class, and is a header of grid/core/ other than the class's own")
        endif()
      else()
        list(APPEND faults "${rel}: includes ${shown}, and grid/ itself is above every room")
      endif()
    endif()
  endforeach()
endforeach()

# grid/README.md: every file of grid/ under its name (`Name.*`, `Name.h` or `Name.cpp`), and
# every such name (also `.hpp`, `.inl`) a file of grid/.
if(EXISTS ${ROOT}/grid)
  if(NOT EXISTS ${ROOT}/grid/README.md)
    list(APPEND faults "grid/README.md is missing")
  else()
    file(READ ${ROOT}/grid/README.md readme)
    set(names "")
    foreach(rel IN LISTS grid_files)
      # Named by its path under grid/, so a room's file reads `room/Name.cpp`.
      string(REGEX REPLACE "^grid/" "" name ${rel})
      string(REGEX REPLACE "\\.[^./]*$" "" stem ${name})
      list(APPEND names ${name} "${stem}.*")
      string(FIND "${readme}" "`${name}`" a)
      string(FIND "${readme}" "`${stem}.*`" b)
      if(a EQUAL -1 AND b EQUAL -1)
        list(APPEND faults "grid/README.md does not list ${rel}")
      endif()
    endforeach()
    string(REGEX MATCHALL "`[A-Za-z0-9_/]+\\.(\\*|h|cpp|hpp|inl)`" named "${readme}")
    list(REMOVE_DUPLICATES named)
    foreach(n IN LISTS named)
      string(REPLACE "`" "" n "${n}")
      if(NOT n IN_LIST names)
        list(APPEND faults "grid/README.md names ${n}, which is no file of grid/")
      endif()
    endforeach()
  endif()
endif()

if(faults)
  list(LENGTH faults n)
  list(JOIN faults "\n  " out)
  message(FATAL_ERROR "Source tree faults (${n}):\n  ${out}")
endif()
message(STATUS "Source tree: ${MAX_LINES}-line limit, include order and grid/README.md kept")
