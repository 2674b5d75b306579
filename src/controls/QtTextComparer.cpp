#include "controls/QtTextComparer.h"

#include <QCollator>
#include <QStringView>

#include <memory>

TextComparer QtCaseInsensitiveComparer(const QLocale& locale)
{
    auto collator = std::make_shared<QCollator>(locale);
    collator->setCaseSensitivity(Qt::CaseInsensitive);
    return [collator](std::u16string_view a, std::u16string_view b) {
        return collator->compare(QStringView(a.data(), static_cast<qsizetype>(a.size())),
                                 QStringView(b.data(), static_cast<qsizetype>(b.size())));
    };
}
