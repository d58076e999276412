// The language the graph's texts follow: the main frame's while it exists, English otherwise.
#pragma once

namespace graph {

// Language index: 0 French, 1 English, 2 German, 3 Spanish, 4 Dutch.
int CurrentLanguage();

// Resource text `id` in the current language.
const char16_t* GraphText(int id);

}  // namespace graph
