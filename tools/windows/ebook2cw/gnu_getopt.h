/* Forced into the Windows build of ebook2cw (gcc -include): its options are
 * read the GNU way, as on Linux, wherever they stand on the command line.
 * MinGW-w64's getopt() stops at the first word that is no option, so an
 * "-o NAME" after the input file would be taken for a second input file and
 * the mp3 files named "Chapter...". Its getopt_long() without long options
 * permutes like GNU getopt. */
#include <getopt.h>
#include <stddef.h>
#define getopt(count, words, options) getopt_long(count, words, options, NULL, NULL)
