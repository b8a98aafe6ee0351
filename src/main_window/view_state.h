#pragma once
// What the main window shows, as typed values.

// Whose lists the grids show: the user's own open lists, a colleague's open
// lists (read-only), or the user's archives of completed items.
enum class View { Own, Member, Completed };

// The list the user last clicked in; the editing commands act on its grid's
// current row. None until the first click.
enum class ListChoice { None, Todo, Schedule };
