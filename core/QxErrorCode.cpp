#include "core/QxErrorCode.h"

#include <wx/intl.h>

#include <iterator>

namespace {

const char* const g_errorTexts[] = {
    wxTRANSLATE("No Error"),
    wxTRANSLATE("eInvalidIndicatorName"),
    wxTRANSLATE("eInvalidIndicatorGroupName"),
    wxTRANSLATE("eIndicatorNameAlreadyExists"),
    wxTRANSLATE("eIndicatorNotFound"),
    wxTRANSLATE("eEmptyIndicatorList"),
    wxTRANSLATE("eFailedToLoadPlugin"),
    wxTRANSLATE("eNotInvalidPlugin"),
    wxTRANSLATE("eInvalidTemplateName"),
    wxTRANSLATE("eErrorInSavingTemplate"),
    wxTRANSLATE("eErrorInOpeningTemplateFile"),
    wxTRANSLATE("eSyntaxErrorInTemplateFile"),
    wxTRANSLATE("eTemplateFolderAlreadyExists"),
    wxTRANSLATE("eInvalidTemplateFolderName"),
    wxTRANSLATE("eTemplateNameAlreadyExists"),
    wxTRANSLATE("eWindowIsAlreadyAddedToPane"),
    wxTRANSLATE("eWindowDoesNotExists"),
    wxTRANSLATE("eFailedToCreateWindow"),
    wxTRANSLATE("eFailedToCloseWindow"),
    wxTRANSLATE("eCouldNotCreateDirOnDisk"),
    wxTRANSLATE("eKeyAlreadyPresent"),
    wxTRANSLATE("eKeyNotPresent"),
    wxTRANSLATE("eValueStoredIsOfDifferentType"),
    wxTRANSLATE("eInvalidPriceHistory"),
    wxTRANSLATE("eMainZoneNotPresent"),
    wxTRANSLATE("ePriceObjectNotFound"),
    wxTRANSLATE("eWidthOfChartTooSmall"),
    wxTRANSLATE("eChartConfigurationNotValid"),
    wxTRANSLATE("eDataNotFound"),
    wxTRANSLATE("eDataTypeMismatch"),
    wxTRANSLATE("eInvalidCalculatorObject"),
    wxTRANSLATE("eParamNotSet"),
    wxTRANSLATE("eSeriesNotAvailable"),
    wxTRANSLATE("eNotAllParamsValid"),
    wxTRANSLATE("eFailedToOpenDatabase"),
    wxTRANSLATE("eNoActiveTransaction"),
    wxTRANSLATE("eSqliteError"),
    wxTRANSLATE("eDataReaderAlreadyRegistered"),
    wxTRANSLATE("eInvalidSecurityType"),
    wxTRANSLATE("eInvalidData"),
    wxTRANSLATE("eFailedToGetHistory"),
    wxTRANSLATE("eDataOutOfRange"),
    wxTRANSLATE("eInvalidSeriesId"),
    wxTRANSLATE("eSetupNotCalled"),
    wxTRANSLATE("eInvalidColorScheme"),
    wxTRANSLATE("eMountainBaseNotSet"),
    wxTRANSLATE("eHorzLineOffsetNotSet"),
    wxTRANSLATE("eInvalidSignal"),
    wxTRANSLATE("eCancelledByUser"),
    wxTRANSLATE("eDatabaseAlreadyInUse"),
    wxTRANSLATE("eDbIncompatible"),
    wxTRANSLATE("eFailedToOpenFile"),
    wxTRANSLATE("eNotImplemented"),
    wxTRANSLATE("eInvalidOperation"),
    wxTRANSLATE("eInvalidName"),
    wxTRANSLATE("eTypeMismatch"),
    wxTRANSLATE("eInvalidIndex"),
    wxTRANSLATE("eInvalidInput"),
    wxTRANSLATE("eInvalidObject"),
    wxTRANSLATE("eInvalidInputObject"),
    wxTRANSLATE("eObjNotPersistent"),
    wxTRANSLATE("eInconsistentData"),
    wxTRANSLATE("eObjectNotFound"),
    wxTRANSLATE("eObjectWithSameNameAlreadyExists"),
    wxTRANSLATE("eIncorrectFormat"),
    wxTRANSLATE("eInvalidCountry"),
    wxTRANSLATE("eRequiredFilesNotFound"),
    wxTRANSLATE("eBadFormat"),
    wxTRANSLATE("eUnknownError"),
};

static_assert(std::size(g_errorTexts) == eUnknownError + 1, "one text per error code");

} // namespace

wxString qxErrorDesc(int code)
{
    // The history database hands on its engine's result codes negated; the
    // ones a user's disk or another program cause are described.
    switch (code) {
    case -5: // busy
    case -6: // locked
        return _("The database is in use by another program.");
    case -8:
        return _("The database is read-only.");
    case -10:
        return _("A disk error occurred while the database was read or written.");
    case -11:
    case -26:
        return _("The database file is damaged or is not a database.");
    case -13:
        return _("The disk is full.");
    case -14:
        return _("The database file could not be opened.");
    default:
        break;
    }
    // Compared as unsigned so other negative codes fall outside the table too.
    const unsigned index = static_cast<unsigned>(code);
    if (index >= std::size(g_errorTexts))
        return wxString("UNKNOWN ERROR");
    return wxGetTranslation(wxString(g_errorTexts[index]));
}
