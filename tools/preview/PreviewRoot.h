// SPDX-FileCopyrightText: 2026 vestibule developers
// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <QString>
#include <QTemporaryDir>

#include <memory>

struct Scenario;

/**
 * The machine as the greeter sees it, below a directory of the preview's own: the token
 * file, the display manager's configuration, a domain script and the security level that
 * the scenario describes, with the installed wallpapers and catalogues linked in. Every
 * system path of the library points here while it lives, and it is removed with it; the
 * machine's own /etc and /usr are only ever read.
 */
class PreviewRoot
{
public:
    /// A fresh root filled from @p scenario.
    explicit PreviewRoot(const Scenario& scenario);
    /// The given directory as it is (--sysroot); nothing is written there.
    explicit PreviewRoot(const QString& existingRoot);
    ~PreviewRoot();
    PreviewRoot(const PreviewRoot&) = delete;
    PreviewRoot& operator=(const PreviewRoot&) = delete;

    QString path() const;
    /// @p absolutePath ("/var/lib/...") inside the root.
    QString filePath(const QString& absolutePath) const;
    /// False when the private directory could not be made; errorString() says why.
    bool isValid() const;
    QString errorString() const;

private:
    void write(const QString& absolutePath, const QByteArray& content, bool executable = false);
    void link(const QString& target, const QString& absolutePath);

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
    QString m_previousRoot;
    QString m_error;
};
