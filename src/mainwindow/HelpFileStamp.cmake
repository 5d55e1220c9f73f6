# Writes the size and the SHA-256 of the help file into the program's header
# HelpFileStamp.h (from HelpFileStamp.h.in); run by the build after rcc made
# the help file:
#   cmake -DHELP_FILE=<help file> -DTEMPLATE=<HelpFileStamp.h.in> -DOUTPUT=<header> -P HelpFileStamp.cmake
# The header is rewritten only when its text changes, so a help file made
# again with the same bytes rebuilds nothing.
file(SIZE "${HELP_FILE}" HELP_FILE_SIZE)
file(SHA256 "${HELP_FILE}" HELP_FILE_SHA256)
configure_file("${TEMPLATE}" "${OUTPUT}" @ONLY)
