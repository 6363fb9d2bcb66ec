#include "positioning/qt/gen_gmap_key.h"

#include "app/settings.h"
#include "positioning/map_key_import.h"
#include "positioning/map_page_choice.h"
#include "ui/user_prompts.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace korvex {

namespace {

// The built-in map page, as the map view shows it when no page is installed.
std::optional<QByteArray> BuiltInPage() {
    QFile page(QStringLiteral(":/korvex/map/mapdlg.htm"));
    if (!page.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return page.readAll();
}

} // namespace

CGenGMapKey::CGenGMapKey(const CSettings& settings, UserPrompts& prompts, QWidget* parent)
    : QDialog(parent), settings_(settings), prompts_(prompts), key_(new QLineEdit(this)) {
    setWindowTitle(Tr("Input Google Map Key"));
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(Tr("Google Map Key : "), this));
    row->addWidget(key_, 1);
    key_->setMinimumWidth(420);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CGenGMapKey::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CGenGMapKey::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
}

std::filesystem::path CGenGMapKey::OutputPath() {
    return UserMapPagePath();
}

QString CGenGMapKey::Tr(const char* key) const {
    return QString::fromStdString(settings_.Translate(key));
}

void CGenGMapKey::accept() {
    const QByteArray key = key_->text().left(static_cast<qsizetype>(kMapKeyLength)).toUtf8();
    if (key.isEmpty()) {
        prompts_.Inform(this, Tr("Please input Google Map Key."));
        return;
    }
    const std::optional<QByteArray> page = BuiltInPage();
    const bool written =
        page && ImportMapKey(std::string_view(page->constData(), static_cast<size_t>(page->size())),
                             OutputPath(),
                             std::string_view(key.constData(), static_cast<size_t>(key.size())));
    prompts_.Inform(this,
                    written ? Tr("Import Google Map key Successfully, please restart the program.")
                            : Tr("Import Google Map key Fail."));
    QDialog::accept();
}

} // namespace korvex
