#ifndef MORVANE_UTIL_CONFIG_H
#define MORVANE_UTIL_CONFIG_H

#include "util/options.h"

#include <list>
#include <string>

class cmdlinet;

// The global configuration: the data model of the target that programs
// reason about. Empty (every width 0) until a program calls
// config_set_from_cmdline.
class configt
{
public:
  struct ansi_ct
  {
    // Widths in bits; only int_width and pointer_width are read elsewhere.
    unsigned int_width = 0;
    unsigned width_2 = 0;
    unsigned width_3 = 0;
    unsigned width_4 = 0;
    unsigned width_5 = 0;
    unsigned pointer_width = 0;
    unsigned width_7 = 0;
    unsigned width_8 = 0;
    unsigned width_9 = 0;
    unsigned width_10 = 0;
    unsigned width_11 = 0;
    unsigned width_12 = 0;

    bool preset_flag = false;
    bool no_floatbv = false;

    enum
    {
      NO_ENDIANNESS = 0,
      IS_LITTLE_ENDIAN = 1,
      IS_BIG_ENDIAN = 2
    };
    unsigned endianness = NO_ENDIANNESS;

    enum
    {
      NO_PLATFORM = 0,
      I386_LINUX = 1,
      I386_MACOS = 2,
      PPC_MACOS = 3
    };
    unsigned platform = NO_PLATFORM;
  } ansi_c;

  std::list<std::string> option_d_values;
  std::list<std::string> string_list_2;
  std::list<std::string> string_list_3;
  std::list<std::string> option_i_values;
  std::list<std::string> string_list_5;

  std::string function_name;

  optionst options;
};

extern configt config;

// Presets of the twelve widths; each clears preset_flag.
void config_set_16(configt::ansi_ct &ansi_c);
void config_set_32(configt::ansi_ct &ansi_c);
void config_set_64(configt::ansi_ct &ansi_c);

// Applies the 32-bit preset, then the options; true when both endiannesses
// were asked for.
bool config_set_from_cmdline(const cmdlinet &cmdline);

#endif
