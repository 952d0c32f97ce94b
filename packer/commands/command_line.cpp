// Parses the kpx command line with CLI11: one subcommand per job, each filling the options record.
#include "packer/commands/command_line.h"

#include <CLI/CLI.hpp>

int ParseCommandLine(int argc, char** argv, Options& options) {
  CLI::App app{"kpx: builds, lists, extracts and checks setup payload archives"};
  app.require_subcommand(1);

  CLI::App* pack = app.add_subcommand("pack", "Pack every file below DIR into a payload archive");
  pack->add_option("DIR", options.input, "Product folder")
      ->required()
      ->check(CLI::ExistingDirectory);
  pack->add_option("-o,--output", options.output, "Payload archive to write")->required();
  pack->add_option("--first", options.first, "File (relative to DIR) that becomes the first entry");
  pack->add_option("--level", options.level, "Compression level: 1 fastest, 5 default, 9 strongest")
      ->check(CLI::Range(kFastestLevel, kStrongestLevel));

  CLI::App* package = app.add_subcommand(
      "package", "Build the payload and the compiled-in package description from PACKAGE.ini");
  package->add_option("PACKAGE", options.input, "Package description file")
      ->required()
      ->check(CLI::ExistingFile);
  package
      ->add_option("-o,--output", options.output,
                   "Folder for payload.kpx, description.txt and program.ico")
      ->required();
  package
      ->add_option("--level", options.level, "Compression level: 1 fastest, 5 default, 9 strongest")
      ->check(CLI::Range(kFastestLevel, kStrongestLevel));

  CLI::App* release = app.add_subcommand(
      "release",
      "Make the setup program for PACKAGE.ini from the program stub, no compiler needed");
  release->add_option("PACKAGE", options.input, "Package description file")
      ->required()
      ->check(CLI::ExistingFile);
  release->add_option("-o,--output", options.output, "Setup program to write")->required();
  release
      ->add_option("--level", options.level, "Compression level: 1 fastest, 5 default, 9 strongest")
      ->check(CLI::Range(kFastestLevel, kStrongestLevel));
  release->add_option("--stub", options.stub,
                      "Program stub to write the product into (default: the i686 stub beside kpx)");
  CLI::Option* pkcs12 = release->add_option(
      "--sign-pkcs12", options.signPkcs12,
      "Sign the setup (Authenticode, SHA-256) with the certificate and key in FILE (osslsigncode)");
  release
      ->add_option("--sign-password-file", options.signPasswordFile,
                   "The PKCS#12 file's password (default: none)")
      ->needs(pkcs12);
  release
      ->add_option("--timestamp-url", options.timestampUrl,
                   "RFC 3161 server that timestamps the signature (default: none; then "
                   "SOURCE_DATE_EPOCH, when set, is the signing time)")
      ->needs(pkcs12);
  release->add_flag("--verify", options.verify,
                    "Install the setup once under Wine and compare it with the description "
                    "before writing it");

  CLI::App* list =
      app.add_subcommand("list", "List the entries of an archive or a built setup.exe");
  list->add_option("ARCHIVE", options.input, "Payload archive or setup.exe")->required();

  CLI::App* extract =
      app.add_subcommand("extract", "Extract every entry into DIR, as the setup does");
  extract->add_option("ARCHIVE", options.input, "Payload archive or setup.exe")->required();
  extract->add_option("DIR", options.output, "Destination folder")->required();

  CLI::App* check = app.add_subcommand("check", "Decode every entry in memory and write nothing");
  check->add_option("ARCHIVE", options.input, "Payload archive or setup.exe")->required();

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    int code = app.exit(e);  // prints help to stdout or the error to stderr
    return code == 0 ? 0 : 2;
  }

  if (pack->parsed()) options.command = Command::Pack;
  if (package->parsed()) options.command = Command::Package;
  if (release->parsed()) options.command = Command::Release;
  if (list->parsed()) options.command = Command::List;
  if (extract->parsed()) options.command = Command::Extract;
  if (check->parsed()) options.command = Command::Check;
  return -1;
}
