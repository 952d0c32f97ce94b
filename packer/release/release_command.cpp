// kpx release PACKAGE.ini -o OUT.exe: the setup program for a product, made from the ready-built
// program stub without a compiler. The description is read and checked as `kpx package` reads
// it, the product packed the same way, then written into the stub (release_image.h); signed
// through osslsigncode and installed once under Wine when asked. OUT is written only when every
// step passed, so a failure keeps the old one. Host only.
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "packer/commands/commands.h"
#include "packer/kpx_error.h"
#include "packer/output_file.h"
#include "packer/commands/packed_product.h"
#include "packer/release/host_process.h"
#include "packer/pe_image/release_image.h"
#include "packer/release/release_kit.h"

namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> ReadWhole(const std::string& path, const char* what) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw KpxError(std::string(what) + " " + path + ": cannot open the file");
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                             std::istreambuf_iterator<char>());
  if (in.bad()) throw KpxError(std::string(what) + " " + path + ": cannot read the file");
  return bytes;
}

std::string StubPath(const Options& o) {
  if (!o.stub.empty()) return o.stub;
  return ExecutableFolder() + "/" + kKitFolderFromKpx + "/" + kStubI686;
}

ReleaseRecord RecordOf(const PackedProduct& p) {
  const PackageDescription& d = p.Description;
  ReleaseRecord r;
  r.CreateDesktopShortcut = d.CreateDesktopShortcut;
  r.FileCount = p.FileCount;
  r.Title = d.Title;
  r.ProductName = d.ProductName;
  r.DefaultFolderName = d.DefaultFolderName;
  r.ProgramBaseName = d.ProgramBaseName;
  r.CreateUninstall = d.CreateUninstall;
  r.UninstallArgument = d.UninstallArgument;
  r.UninstallIconIndex = d.UninstallIconIndex;
  r.CreateHelpShortcut = d.CreateHelpShortcut;
  r.HelpFileName = d.HelpFileName;
  r.HelpShortcutName = d.HelpShortcutName;
  r.DefaultBaseDirectory = d.DefaultBaseDirectory;
  return r;
}

void Run(const std::vector<std::string>& argv, const std::string& step) {
  const int code = RunProgram(argv);
  if (code == -1) throw KpxError(step + ": cannot run " + argv[0] + " (is it installed?)");
  if (code != 0)
    throw KpxError(step + ": " + argv[0] + " failed (exit code " + std::to_string(code) + ")");
}

// Signs image through osslsigncode and checks the signature against the certificates it was made
// with (a self-made one included) as of now: a signing time from SOURCE_DATE_EPOCH may predate
// the certificate.
std::vector<uint8_t> Sign(const std::vector<uint8_t>& image, const Options& o,
                          const std::string& scratch) {
  const std::string in = scratch + "/unsigned.exe", out = scratch + "/signed.exe";
  WriteFileAtomically(in, image);
  std::vector<std::string> sign = {"osslsigncode", "sign", "-pkcs12", o.signPkcs12, "-h", "sha256"};
  if (!o.signPasswordFile.empty()) sign.insert(sign.end(), {"-readpass", o.signPasswordFile});
  const char* epoch = std::getenv("SOURCE_DATE_EPOCH");
  if (!o.timestampUrl.empty()) {
    sign.insert(sign.end(), {"-ts", o.timestampUrl});
  } else if (epoch && *epoch) {
    sign.insert(sign.end(), {"-time", epoch});
  }
  sign.insert(sign.end(), {"-in", in, "-out", out});
  Run(sign, "signing");
  const std::string chain = scratch + "/chain.pem";
  Run({"openssl", "pkcs12", "-in", o.signPkcs12, "-nokeys", "-passin",
       "file:" + (o.signPasswordFile.empty() ? std::string("/dev/null") : o.signPasswordFile),
       "-out", chain},
      "reading the signing certificate");
  std::vector<uint8_t> authorities;
  try {
    authorities = ReadWhole("/etc/ssl/certs/ca-certificates.crt", "");
  } catch (const KpxError&) {
    // none installed: the publisher's own chain alone
  }
  std::vector<uint8_t> pem = ReadWhole(chain, "certificates");
  pem.insert(pem.end(), authorities.begin(), authorities.end());
  WriteFileAtomically(chain, pem);
  Run({"osslsigncode", "verify", "-in", out, "-CAfile", chain, "-time",
       std::to_string(std::time(nullptr))},
      "checking the signature");
  return ReadWhole(out, "signed setup");
}

// Installs the release once under Wine through the kit's verifier: the i686 setup where 32-bit
// programs run, else its x86-64 twin (the same record and payload in the x86-64 stub), which the
// verifier names. Returns the line that --verify adds to the report.
std::string Verify(const std::vector<uint8_t>& image, const PackedProduct& product,
                   const std::vector<uint8_t>& payload, const Options& o,
                   const std::string& scratch) {
  const fs::path kit = fs::path(StubPath(o)).parent_path();
  const std::string runner = (kit / kVerifyRunner).string();
  if (!fs::exists(runner))
    throw KpxError("--verify: could not verify here: " + runner + " is missing");
  const std::string setup32 = scratch + "/setup.exe", setup64 = scratch + "/setup-x86_64.exe";
  WriteFileAtomically(setup32, image);
  const std::string twinStub = (kit / kStubX8664).string();
  if (fs::exists(twinStub))
    WriteFileAtomically(setup64, MakeReleaseImage(ReadWhole(twinStub, "the program stub"),
                                                  RecordOf(product), product.Icon, payload));
  WritePackage(product, scratch + "/package");  // what `kpx package` writes, for the verifier
  const int code = RunProgram({"bash", runner, setup32, fs::exists(twinStub) ? setup64 : "",
                               o.input, scratch + "/package", scratch + "/verify"});
  if (code == 0) return "installed and checked under Wine";
  if (code == kVerifyDiffers)
    throw KpxError("--verify: the installed product differs from the description (see above); " +
                   o.output + " not written");
  throw KpxError("--verify: could not verify here (see above); " + o.output + " not written");
}

}  // namespace

void ReleaseCommand(const Options& options) {
  PackageDescription description = ReadPackageDescription(options.input);
  CheckPackageDescription(description);
  const std::string stubPath = StubPath(options);
  // Before anything is built: an output among the inputs would replace one of them, or be packed
  // by the next release.
  CheckOutputIsNoInput(
      options.output, {description.ProductFolder},
      {options.input, description.Icon, stubPath, options.signPkcs12, options.signPasswordFile});
  const std::vector<uint8_t> stub = ReadWhole(stubPath, "the program stub");
  ScratchFolder scratch;
  const std::string payloadPath = scratch.Path() + "/package/payload.kpx";
  const PackedProduct product = PackProduct(description, options.level, payloadPath);
  const std::vector<uint8_t> payload = ReadWhole(payloadPath, "the packed payload");
  std::vector<uint8_t> image = MakeReleaseImage(stub, RecordOf(product), product.Icon, payload);
  std::string how = "unsigned";
  if (!options.signPkcs12.empty()) {
    image = Sign(image, options, scratch.Path());
    how = "signed";
  }
  if (options.verify) how += ", " + Verify(image, product, payload, options, scratch.Path());
  WriteFileAtomically(options.output, image);
  std::printf("wrote %s (%zu bytes, %s)\n", options.output.c_str(), image.size(), how.c_str());
}
