// COvningar: the exercise catalogue read from "Ovning.crp".
#pragma once

#include <memory>
#include <string>

class COvning;

class COvningar {
public:
    COvningar() = default;
    ~COvningar();
    COvningar(const COvningar&) = delete;
    COvningar& operator=(const COvningar&) = delete;

    void LoadFromFile(const std::string& fileName);
    // First exercise whose name in CurrentLanguage equals text, or null.
    COvning* FindByName(const std::string& text) const;

    COvning* First = nullptr; // owns the chain

    // The class an entry's keyword stands for.
    static std::unique_ptr<COvning> CreateForKeyword(const std::string& keyword);
};
