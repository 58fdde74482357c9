#include "qbf_solver/cmdline_options.h"

#include "qbf_solver/certificate_clashes.h"

#include "util/c_conversion.h"

#include <iostream>
#include <new>

cmdline_optionst::cmdline_optionst(int argc, const char *const *argv)
  : parseoptions_baset(
      "(v):(show-conflicts)(show-unifications)(no-optimization)"
      "(save-certificate)(show-progress)(show-debug)(parse-only)",
      argc,
      argv),
    ui_message_handler(ui_message_handlert::PLAIN)
{
  set_message_handler(&ui_message_handler);
  solver.set_message_handler(&ui_message_handler);
}

namespace
{
constexpr std::size_t box_width = 63;

std::string box_line(const std::string &text)
{
  const std::size_t inner = box_width - 6;
  const std::size_t left = (inner - text.size()) / 2;
  const std::size_t right = inner - text.size() - left;
  return "* *" + std::string(left, ' ') + text + std::string(right, ' ') +
         "* *\n";
}

std::string padded(const std::string &text, std::size_t width)
{
  return text + std::string(width - text.size(), ' ');
}
} // namespace

void cmdline_optionst::help()
{
  static const char *const rows[][2] = {
    {"morvane [-?] [-h] [--help]", "show help"},
    {"--show-progress", "shows progress information"},
    {"--show-conflicts", "shows all conflict derivations"},
    {"--show-unifications", "shows all unifications done"},
    {"--show-debug", "show debug output"},
    {"--no-optimization", "turn off formula optimization"},
    {"--save-certificate", "turn on certificate generation"},
    {"--parse-only", "don't try to solve the input file"}};

  std::string text = "\n";
  text += box_line("morvane 1.03");
  text += box_line("Decides quantified Boolean formulas in QDIMACS");
  text += box_line("by universal reduction and");
  text += box_line("existential elimination,");
  text += box_line("with certificates of the answer");
  text += "\n" + padded("Usage:", 32) + "Purpose:\n\n";
  for(const auto &row : rows)
    text += padded(row[0], 31) + row[1] + "\n";
  std::cout << text;
}

morvanet::resultt
cmdline_optionst::decide(const std::string &file_name, bool &parsed_only)
{
  solver.reset_formula();
  solver.show_conflicts = cmdline.has_option("show-conflicts");
  solver.show_unifications = cmdline.has_option("show-unifications");
  solver.save_certificate = cmdline.has_option("save-certificate");
  solver.show_debug = cmdline.has_option("show-debug");
  solver.show_progress = cmdline.has_option("show-progress");

  try
  {
    const morvanet::resultt read = solver.read_qdimacs_file(file_name);
    if(read != morvanet::R_UNKNOWN)
      return read;
    if(cmdline.has_option("parse-only"))
    {
      parsed_only = true;
      return read;
    }
    return solver.solve();
  }
  catch(const std::bad_alloc &)
  {
    solver.abandon("out of memory");
    return morvanet::R_ERROR;
  }
}

int cmdline_optionst::execute()
{
  set_verbosity(6);
  if(cmdline.has_option("v"))
    set_verbosity(unsigned(strtol32(cmdline.option_value("v"))));

  if(cmdline.args.empty())
  {
    print(1, "no input files");
    return 1;
  }

  const std::vector<std::vector<std::string>> clashes =
    cmdline.has_option("save-certificate")
      ? certificate_clashes(cmdline.args)
      : std::vector<std::vector<std::string>>(cmdline.args.size());

  for(std::size_t i = 0; i < cmdline.args.size(); ++i)
  {
    const std::string &file_name = cmdline.args[i];
    print(8, "Parsing " + file_name);
    bool parsed_only = false;
    morvanet::resultt result = morvanet::R_ERROR;
    // Reported by the solver, like every other certificate failure.
    for(const std::string &reason : clashes[i])
      solver.print(1, reason);
    if(clashes[i].empty())
      result = decide(file_name, parsed_only);
    if(parsed_only)
    {
      std::cout << "File parsed OK." << std::endl;
      return 30;
    }

    int exit_code;
    switch(result)
    {
    case morvanet::R_VALID:
      print(6, "VALID");
      exit_code = 10;
      break;
    case morvanet::R_INVALID:
      print(6, "INVALID");
      exit_code = 20;
      break;
    case morvanet::R_UNKNOWN:
      print(6, "UNKNOWN");
      exit_code = 30;
      break;
    default:
      print(6, "ERROR");
      exit_code = 99;
    }
    if(cmdline.args.size() == 1)
      return exit_code;
  }
  return 0;
}
