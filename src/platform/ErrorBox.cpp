#include "platform/ErrorBox.h"

std::string ApplicationTitle(std::string_view executablePath)
{
    std::string_view name = executablePath.substr(executablePath.rfind('/') + 1);
    name = name.substr(0, name.find('.'));
    std::string title(name);
    for (size_t i = 1; i < title.size(); ++i)
        if (title[i] >= 'A' && title[i] <= 'Z') title[i] = static_cast<char>(title[i] - 'A' + 'a');
    return title;
}

std::string ErrorBoxMessage(std::string_view message)
{
    std::string text(message);
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
    return text;
}
