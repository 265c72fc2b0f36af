#include "app/UsageText.h"

namespace app {

const char* UsageText() {
  return R"(Usage:
  briven LOG OUTPUT INSTRUMENT [SWITCH...]
      Convert the log file LOG into the text file OUTPUT, one row per frame,
      with the instrument definition file INSTRUMENT (.cal, .tdf).
  briven LOG OUTPUT [SWITCH...]
      Convert the header lines of LOG into OUTPUT, one "name<TAB>value" row
      per header line.
  briven [LOG]
      Start the desktop program (needs an X display), with LOG chosen.
  briven --help | -h | -?     Print this text.
  briven --version            Print the program's name and version.

File names come first, then the switches. A switch is "-" and a letter;
letters, keys and yes/no words may be written in either case. An argument
that begins with "/" is a path.

Switches:
  -c             Apply the calibration fits.
  -ci            Apply the fits and the immersion coefficients.
  -cl=PATH       Write the conversion log to PATH (also -conversionlog=PATH);
                 a file already there is replaced only as an output is.
  -dC            Write C between fields; C may be several characters.
  -dt, -ds       A tab (the default), a space between fields.
  -ef, -ec       Check frame counters, check sums; -efc checks both.
  -ew=yes|no     Dismiss the progress window at the end (also -endwindow=).
  -ff, -fe, -fg  Numbers in fixed, exponent or general notation.
  -h             Unfitted integers in hexadecimal.
  -lN            Stop after frame N, 0 to 32766 (0: no limit).
  -lN-M, -l-M    The frame limit N and every Mth frame, M from 1 to 32766.
  -n             Leave out the frames whose error flag is set.
  -ow=yes|no     Replace an existing output without asking (yes) or never
                 (no); also -overwrite=. Without it the stored setting
                 decides, and an existing output ends the run. A replaced
                 output keeps its old content until the run has completed
                 or was stopped by a signal.
  -pN            N digits after the point (significant digits with -fg),
                 0 to 32766; 10 by default.
  -s             Leave text fields, time-like fits and error texts empty.
  -t             Append the date and time tag columns; -tf as YYYY-DDD
                 and HH:MM:SS.mmm.
  -wN            Every value N characters wide, 1 to 32766.
  -x             Write the preamble, the units line and the frame numbers.

Exit status:
  0    complete
  1    aborted or failed (the reason is on stderr)
  2    usage error: a refused switch, too few file names, or no display for
       the desktop program
  3    complete, but the instrument was not found in the log
  130  stopped by SIGINT, 143 stopped by SIGTERM (the rows written so far
       are kept, with the aborted summary in the conversion log)

An unattended run writes nothing on stdout and opens no window; messages go
to stderr. Settings are kept under $XDG_CONFIG_HOME/briven/ (by default
~/.config/briven/); the switches of a run are never stored.
)";
}

}  // namespace app
