#pragma once
#include <QString>

class CustomerList;

// The e-mail address of a member of the customer list, kept in a column the grid does not show
// and registered with the list.
namespace MemberMail {
// Sets the address of grid row `row` (empty clears it); the reason in Japanese when the row has
// no name or the text is no address, and then nothing changed.
QString set(CustomerList& list, int row, const QString& text);
// Asks for the address of the grid's current row in a small dialog 「メールアドレス」.
void edit(CustomerList& list);
} // namespace MemberMail
