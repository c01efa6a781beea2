// A loaded main window whose desktop "open" and program starts are recorded, not carried out.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QStringList>
#include <QTest>
#include <memory>

#include "card/CardTemplate.h"
#include "toolkit/DesktopOpen.h"
#include "toolkit/Window.h"
#include "ui/MainWindow.h"

class WebTest : public ::testing::Test {
  protected:
    void SetUp() override {
        qunsetenv("BROWSER");
        toolkit::setDesktopOpener([this](const QString& address) {
            opened << address;
            return desktopAccepts;
        });
        toolkit::setProgramStarter([this](const QString& program, const QStringList& arguments) {
            started << (QStringList{program} + arguments);
            return programStarts;
        });
        mainWindow = std::make_unique<ui::MainWindow>(templates);
        mainWindow->setOnUnloaded([this] { unloaded = true; });
        mainWindow->load();
        ASSERT_TRUE(mainWindow->exists());
    }

    void TearDown() override {
        mainWindow.reset();
        // Nothing after this test may reach the real desktop by mistake.
        toolkit::setDesktopOpener([](const QString&) { return false; });
        toolkit::setProgramStarter([](const QString&, const QStringList&) { return false; });
        qunsetenv("BROWSER");
    }

    toolkit::Window& window() { return mainWindow->window(); }

    template <typename T = toolkit::Control>
    T* control(const QString& name) {
        T* found = window().find<T>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }

    card::TemplateList templates;
    std::unique_ptr<ui::MainWindow> mainWindow;
    bool unloaded = false;

    bool desktopAccepts = true;
    bool programStarts = true;
    QStringList opened;
    QList<QStringList> started;
};
