#include "log/AboutText.h"

#include "log/FileIo.h"
#include "log/WriteFormat.h"

#include <QDir>
#include <QFileInfo>

namespace velm {

namespace {

const char kProgramLicence[] =
    "velmlog is free software: you can redistribute it and/or modify it under the terms of the GNU General "
    "Public License as published by the Free Software Foundation, either version 3 of the License, or (at "
    "your "
    "option) any later version.\n"
    "\n"
    "velmlog is distributed in the hope that it will be useful, but WITHOUT ANY WARRANTY; without even the "
    "implied warranty of MERCHANTABILITY or FITNESS FOR A PARTICULAR PURPOSE. See the GNU General Public "
    "License for more details. An installed velmlog carries the licence in "
    "/usr/share/doc/velmlog/copyright; Debian systems hold its full text in "
    "/usr/share/common-licenses/GPL-3.\n";

const char kQtLicence[] =
    "velmlog is built with the Qt toolkit, version %1, used under the GNU Lesser General Public License "
    "version 3 (LGPL-3.0). Qt is linked dynamically, as the system's Qt libraries, so it can be replaced by "
    "another build of the same version. Qt's source and licence texts come with the Qt packages of the "
    "system (on Debian: /usr/share/doc/libqt6core6/copyright).\n";

const char kCountryLicence[] =
    "The prefix table (arrlpre2.txt) and the DXCC table (ADIFCnt.txt) are generated from AD1C's country "
    "file cty.dat and cty.csv, release %1, as Debian's hamradio-files package ships it. Its licence (MIT):\n"
    "\n"
    "Copyright \u00a9 1994- Jim Reisert AD1C\n"
    "\n"
    "Permission is hereby granted, free of charge, to any person obtaining a copy of this software and "
    "associated documentation files (the \u201cSoftware\u201d), to deal in the Software without restriction, "
    "including without limitation the rights to use, copy, modify, merge, publish, distribute, sublicense, "
    "and/or sell copies of the Software, and to permit persons to whom the Software is furnished to do so, "
    "subject to the following conditions:\n"
    "\n"
    "The above copyright notice and this permission notice shall be included in all copies or substantial "
    "portions of the Software.\n"
    "\n"
    "THE SOFTWARE IS PROVIDED \u201cAS IS\u201d, WITHOUT WARRANTY OF ANY KIND, EXPRESS OR IMPLIED, INCLUDING "
    "BUT NOT LIMITED TO THE WARRANTIES OF MERCHANTABILITY, FITNESS FOR A PARTICULAR PURPOSE AND "
    "NONINFRINGEMENT. IN NO EVENT SHALL THE AUTHORS OR COPYRIGHT HOLDERS BE LIABLE FOR ANY CLAIM, DAMAGES OR "
    "OTHER LIABILITY, WHETHER IN AN ACTION OF CONTRACT, TORT OR OTHERWISE, ARISING FROM, OUT OF OR IN "
    "CONNECTION WITH THE SOFTWARE OR THE USE OR OTHER DEALINGS IN THE SOFTWARE.\n";

const char kBandPlanFile[] = "BandPlan.txt";

} // namespace

DataVersions readDataVersions(const ProgramFolder& folder)
{
    DataVersions versions;
    versions.countryFile = QString::fromLatin1(ShippedCountryFileRelease);
    const QString path = folder.filePath(QString::fromLatin1(kBandPlanFile));
    if (!QFileInfo::exists(path)) {
        versions.bandPlanProblem =
            QStringLiteral("%1 is not in the program folder %2")
                .arg(QString::fromLatin1(kBandPlanFile), QDir::toNativeSeparators(folder.path()));
        return versions;
    }
    QByteArray bytes;
    if (const QString unreadable = readWholeFile(path, bytes); !unreadable.isEmpty()) {
        versions.bandPlanProblem = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), unreadable);
        return versions;
    }
    // The effective date is the file's first item, whatever else its line holds.
    WriteFormatReader reader(bytes);
    WriteLine line;
    while (reader.readLine(line)) {
        if (line.isBlank())
            continue;
        if (line.ok() && !line.values.empty())
            versions.bandPlan = line.values.front().text().trimmed();
        break;
    }
    if (versions.bandPlan.isEmpty())
        versions.bandPlanProblem = QStringLiteral("%1 gives no effective date on its first line")
                                       .arg(QDir::toNativeSeparators(path));
    return versions;
}

QString aboutText(const DataVersions& versions, const QString& programVersion, const QString& qtVersion)
{
    QString text;
    text += QStringLiteral("velmlog %1, the QRP VELM contest logger\n\n").arg(programVersion);
    text += QStringLiteral("Data versions\n");
    text +=
        QStringLiteral("Country file (prefix table and DXCC table): release %1\n").arg(versions.countryFile);
    if (!versions.bandPlan.isEmpty())
        text += QStringLiteral("Band plan (BandPlan.txt): effective %1\n").arg(versions.bandPlan);
    else
        text += QStringLiteral("Band plan: none read, %1\n").arg(versions.bandPlanProblem);
    text +=
        QStringLiteral("To update them, replace arrlpre2.txt and ADIFCnt.txt (made from a newer country file "
                       "by tools/make_prefix_table.py) or BandPlan.txt in the program folder.\n\n");
    text += QStringLiteral("Licence of velmlog\n") + QString::fromUtf8(kProgramLicence) + QLatin1Char('\n');
    text +=
        QStringLiteral("Licence of Qt\n") + QString::fromUtf8(kQtLicence).arg(qtVersion) + QLatin1Char('\n');
    text += QStringLiteral("Country data\n") + QString::fromUtf8(kCountryLicence).arg(versions.countryFile);
    return text;
}

} // namespace velm
