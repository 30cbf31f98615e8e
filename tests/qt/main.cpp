// The front end's tests run inside one QApplication, without a display unless one is asked for,
// and with OpenAL Soft writing its output nowhere, so that a sound device opens on any machine
// and nothing is heard.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <QTemporaryDir>
#include <fstream>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // OpenAL Soft reads its configuration once, at its first use in the process.
    QTemporaryDir al_folder;
    std::string al_conf = al_folder.filePath("alsoft.conf").toStdString();
    std::ofstream(al_conf) << "[general]\ndrivers=wave\n[wave]\nfile=/dev/null\n";
    setenv("ALSOFT_CONF", al_conf.c_str(), 1);
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
