// A loaded main window for tests: the real window, with its real controls and handlers.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <memory>

#include "card/CardTemplate.h"
#include "toolkit/EditBox.h"
#include "toolkit/Window.h"
#include "ui/MainWindow.h"

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        mainWindow = std::make_unique<ui::MainWindow>(templates);
        mainWindow->load();
        ASSERT_TRUE(mainWindow->exists());
    }

    void TearDown() override { mainWindow.reset(); }

    toolkit::Window& window() { return mainWindow->window(); }

    template <typename T = toolkit::Control>
    T* control(const char* name) {
        T* found = window().find<T>(QString::fromUtf8(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    QWidget* widget(const char* name) { return control(name)->widget(); }

    card::TemplateList templates;
    std::unique_ptr<ui::MainWindow> mainWindow;
};
