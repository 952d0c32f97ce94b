// The stub's record: placeholders that `kpx release` replaces with a product's values. Every text
// points at a string (never null), so that the linker gives each pointer a relocation entry that
// stays right when the host tool points it elsewhere in the image.
#include "setup/package_info.h"

namespace {

constexpr PackageRecordLayout kLayout = PackageRecordLayoutFor(sizeof(void*));
#define KPX_AT(field) offsetof(PackageInfo, field) == kLayout.field
static_assert(KPX_AT(CreateDesktopShortcut) && KPX_AT(FileCount) && KPX_AT(Title) &&
                  KPX_AT(ProductName) && KPX_AT(DefaultFolderName) && KPX_AT(ProgramBaseName) &&
                  KPX_AT(CreateUninstall) && KPX_AT(UninstallArgument) &&
                  KPX_AT(UninstallIconIndex) && KPX_AT(CreateHelpShortcut) &&
                  KPX_AT(HelpFileName) && KPX_AT(HelpShortcutName) &&
                  KPX_AT(DefaultBaseDirectory) && sizeof(PackageInfo) == kLayout.Size,
              "PackageRecordLayoutFor must describe PackageInfo as the compiler lays it out");
#undef KPX_AT

}  // namespace

// externally_visible: the values are not the compiler's to know, so link-time optimisation must
// neither fold the placeholders into the code nor drop a field the program does not read.
__attribute__((externally_visible, used)) PackageInfo Package = {
    0, 0, "", "", "", "", 0, KPX_PACKAGE_RECORD_MARKER, 0, 0, "", "", "",
};
