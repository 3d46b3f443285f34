#include "project/FieldLabels.h"

namespace tornavel {

std::string textFieldLabel(FieldId id) {
    switch (id) {
    case FieldId::AppName:
        return "Název instalovaného programu";
    case FieldId::AppVerName:
        return "Název programu včetně verze";
    case FieldId::DefaultDirName:
        return "Jméno adresáře, kam se bude program instalovat";
    case FieldId::DefaultGroupName:
        return "Programová skupina (v nabídce Start)";
    case FieldId::Password:
        return "Heslo k povolení instalace programu";
    case FieldId::AppCopyright:
        return "Informace o případném copyrightu";
    case FieldId::DiskSize:
        return "Velikost jednotlivých částí instalačního soubor s Vaším programem";
    case FieldId::ReserveBytes:
        return "Počet bajtů, které mají být v první části instalačního souboru ponechány volné";
    case FieldId::LicenceFile:
        return "Jméno souboru s licenčním ujednáním";
    case FieldId::InfoBeforeFile:
        return "Jméno souboru, který bude zobrazen před volbou adresáře";
    case FieldId::InfoAfterFile:
        return "Jméno souboru, který bude zobrazen po úspěšné instalaci";
    case FieldId::IniFileName:
        return "Jméno souboru .INI, který má být upraven";
    case FieldId::IniSection:
        return "Jméno sekce";
    case FieldId::IniKey1:
        return "Jméno záznamu č.1";
    case FieldId::IniValue1:
        return "Hodnota záznamu č.1";
    case FieldId::IniKey2:
        return "Jméno záznamu č.2";
    case FieldId::IniValue2:
        return "Hodnota záznamu č.2";
    default:
        break;
    }
    const IconFieldRef ref = iconFieldRef(id);
    if (ref.icon < 0) {
        return {};
    }
    const std::string label(iconPartLabel(ref.part));
    if (ref.part == IconPart::Name) {
        return label + " " + iconNumber(ref.icon);
    }
    return label + " (ikona " + iconNumber(ref.icon) + ")";
}

std::string iconNumber(int icon) {
    return "č." + std::to_string(icon + 1);
}

std::string_view iconPartLabel(IconPart part) {
    switch (part) {
    case IconPart::Name:
        return "Jméno ikony";
    case IconPart::FileName:
        return "Spouštěný soubor";
    case IconPart::Parameters:
        return "Parametr";
    case IconPart::IconFile:
        return "Jméno souboru s ikonou";
    case IconPart::IconIndex:
        return "Index";
    default:
        return {};
    }
}

} // namespace tornavel
