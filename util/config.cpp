#include "util/config.h"

#include "util/cmdline.h"

#include <array>

configt config;

typedef std::array<unsigned, 12> widthst;

static void set_widths(configt::ansi_ct &ansi_c, const widthst &w)
{
  ansi_c.int_width = w[0];
  ansi_c.width_2 = w[1];
  ansi_c.width_3 = w[2];
  ansi_c.width_4 = w[3];
  ansi_c.width_5 = w[4];
  ansi_c.pointer_width = w[5];
  ansi_c.width_7 = w[6];
  ansi_c.width_8 = w[7];
  ansi_c.width_9 = w[8];
  ansi_c.width_10 = w[9];
  ansi_c.width_11 = w[10];
  ansi_c.width_12 = w[11];
  ansi_c.preset_flag = false;
}

void config_set_16(configt::ansi_ct &ansi_c)
{
  set_widths(ansi_c, {16, 32, 8, 16, 64, 32, 32, 64, 64, 32, 16, 16});
}

void config_set_32(configt::ansi_ct &ansi_c)
{
  set_widths(ansi_c, {32, 32, 8, 16, 64, 32, 32, 64, 64, 32, 32, 16});
}

void config_set_64(configt::ansi_ct &ansi_c)
{
  set_widths(ansi_c, {32, 64, 8, 16, 128, 64, 32, 64, 64, 64, 32, 16});
}

bool config_set_from_cmdline(const cmdlinet &cmdline)
{
  configt::ansi_ct &ansi_c = config.ansi_c;
  config_set_32(ansi_c);
  ansi_c.no_floatbv = true;
  ansi_c.endianness = configt::ansi_ct::NO_ENDIANNESS;
  ansi_c.platform = configt::ansi_ct::NO_PLATFORM;

  if(cmdline.has_option("16"))
    config_set_16(ansi_c);
  if(cmdline.has_option("32"))
    config_set_32(ansi_c);
  if(cmdline.has_option("64"))
    config_set_64(ansi_c);

  // A program may declare "function" without a value; then there is none
  // to take and the name stays as it is.
  if(const char *function = cmdline.option_value("function"))
    config.function_name = function;

  if(cmdline.has_option('D'))
    config.option_d_values = cmdline.get_values('D');
  if(cmdline.has_option('I'))
    config.option_i_values = cmdline.get_values('I');

  if(cmdline.has_option("floatbv"))
    ansi_c.no_floatbv = false;

  struct platform_presett
  {
    const char *name;
    unsigned platform;
    unsigned endianness;
  };
  static const platform_presett platforms[] = {
    {"i386-linux", configt::ansi_ct::I386_LINUX,
     configt::ansi_ct::IS_LITTLE_ENDIAN},
    {"i386-macos", configt::ansi_ct::I386_MACOS,
     configt::ansi_ct::IS_LITTLE_ENDIAN},
    {"ppc-macos", configt::ansi_ct::PPC_MACOS, configt::ansi_ct::IS_BIG_ENDIAN}};
  for(const auto &preset : platforms)
  {
    if(cmdline.has_option(preset.name))
    {
      ansi_c.platform = preset.platform;
      ansi_c.endianness = preset.endianness;
    }
  }

  const bool little = cmdline.has_option("little-endian");
  const bool big = cmdline.has_option("big-endian");
  if(little)
    ansi_c.endianness = configt::ansi_ct::IS_LITTLE_ENDIAN;
  if(big)
    ansi_c.endianness = configt::ansi_ct::IS_BIG_ENDIAN;

  return little && big;
}
