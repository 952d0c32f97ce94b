// The kpx command line, parsed into a plain options record. Host only.
#pragma once

#include <string>

enum class Command { None, Pack, Package, Release, List, Extract, Check };

constexpr int kFastestLevel = 1;
constexpr int kDefaultLevel = 5;
constexpr int kStrongestLevel = 9;

struct Options {
  Command command = Command::None;
  std::string
      input;  // pack: product folder; package: description file; others: archive or setup.exe
  std::string output;  // pack: payload file (-o); package: output folder (-o); extract: destination
  std::string first;   // pack: the file that becomes the first entry (--first)
  int level = kDefaultLevel;
  // release: -o is the setup program to write
  std::string stub;              // the program stub (empty: the i686 stub beside kpx)
  std::string signPkcs12;        // certificate and key to sign with (empty: unsigned)
  std::string signPasswordFile;  // the PKCS#12 file's password
  std::string timestampUrl;      // RFC 3161 server (empty: no timestamp)
  bool verify = false;           // install once under Wine and compare before writing
};

// Parses argv into options. Returns -1 when parsing succeeded and the command should run;
// otherwise the exit code to leave with at once (0 after --help, 2 after a usage error, whose
// message has gone to stderr).
int ParseCommandLine(int argc, char** argv, Options& options);
