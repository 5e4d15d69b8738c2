// TOvningsformular: the abstract exercise screen that exercises report to.
#pragma once

#include <QWidget>
#include <cstdint>
#include <string>

class TOvningsformular : public QWidget {
public:
    explicit TOvningsformular(QWidget* parent = nullptr) : QWidget(parent) {}
    virtual void VisaFraga(const std::string& text) = 0;
    virtual void VisaProcent(std::int32_t percent) = 0;
};
