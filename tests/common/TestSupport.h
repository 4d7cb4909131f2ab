#pragma once
// Shared pieces of the test programs: registration of test classes and
// temporary data folders.

#include <QObject>
#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <vector>

using TestFactory = std::function<QObject*()>;
std::vector<TestFactory>& RegisteredTests();
bool RegisterTest(TestFactory factory);

// Registers a QObject test class with the test program of its folder.
#define VTX_REGISTER_TEST(Class)                                                                   \
    static const bool Class##Registered = RegisterTest([] { return new Class; });

// A temporary folder that lives as long as the object; its path ends with a separator.
class TempFolder {
public:
    TempFolder();
    QString path() const;                    // with trailing separator
    QString file(const QString& name) const; // path + name
    bool isValid() const { return m_dir.isValid(); }

private:
    QTemporaryDir m_dir;
};
