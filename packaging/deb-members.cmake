# SPDX-FileCopyrightText: 2026 The Quilvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Run by CPack before and after it makes the package, so that the package is the same whoever
# makes it: the folders it holds, and the .deb's three members (debian-binary, control.tar.gz,
# data.tar.gz), would otherwise take their modes from the builder's umask.
if(NOT DEFINED CPACK_PACKAGE_FILES) # before: the staged files, then packed
    file(GLOB_RECURSE folders LIST_DIRECTORIES true "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*")
    foreach(folder IN LISTS folders)
        if(IS_DIRECTORY "${folder}")
            file(CHMOD "${folder}" DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
                 GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
        endif()
    endforeach()
    return()
endif()
# After: every member gets the mode that every Debian package's members have. Perl is on every
# Debian system.
foreach(deb IN LISTS CPACK_PACKAGE_FILES)
    execute_process(COMMAND perl -e [[
        open(my $deb, "+<:raw", $ARGV[0]) or die "$ARGV[0]: $!";
        for (my $at = 8; seek($deb, $at, 0) && read($deb, my $header, 60) == 60;) {
            my $size = substr($header, 48, 10) + 0;
            seek($deb, $at + 40, 0) && print $deb sprintf("%-8s", "100644");
            $at += 60 + $size + $size % 2;
        }
        close($deb) or die "$ARGV[0]: $!";
    ]] ${deb} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
