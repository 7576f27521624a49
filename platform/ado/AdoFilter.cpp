#include "platform/ado/AdoError.h"
#include "platform/ado/AdoFilter.h"
#include "platform/ado/AdoSqlite.h"
#include "platform/ado/AdoValues.h"

namespace Ado::detail {

namespace {

struct Token {
    enum Kind { End, Name, Number, String, Op, LParen, RParen } kind = End;
    QString text;
    QVariant value;
};

class Lexer {
public:
    explicit Lexer(const QString& s) : s_(s) {}

    Token next()
    {
        while (pos_ < s_.size() && s_[pos_].isSpace())
            ++pos_;
        Token t;
        if (pos_ >= s_.size())
            return t;
        const QChar c = s_[pos_];
        if (c == '(' || c == ')') {
            t.kind = c == '(' ? Token::LParen : Token::RParen;
            t.text = c;
            ++pos_;
            return t;
        }
        if (c == '\'' || c == '"') {
            QString value;
            ++pos_;
            for (;;) {
                if (pos_ >= s_.size())
                    fail("Zeichenkette ohne Ende");
                if (s_[pos_] == c) {
                    if (pos_ + 1 < s_.size() && s_[pos_ + 1] == c) {
                        value += c;
                        pos_ += 2;
                        continue;
                    }
                    ++pos_;
                    break;
                }
                value += s_[pos_++];
            }
            t.kind = Token::String;
            t.value = value;
            t.text = value;
            return t;
        }
        if (c.isDigit() || (c == '-' && pos_ + 1 < s_.size() && s_[pos_ + 1].isDigit() && expectOperand_)) {
            qsizetype start = pos_++;
            while (pos_ < s_.size() && (s_[pos_].isDigit() || s_[pos_] == '.'))
                ++pos_;
            t.kind = Token::Number;
            t.text = s_.mid(start, pos_ - start);
            bool ok = false;
            double d = t.text.toDouble(&ok);
            if (!ok)
                fail("ungültige Zahl " + t.text);
            if (!t.text.contains('.'))
                t.value = t.text.toLongLong();
            else
                t.value = d;
            return t;
        }
        if (c == '[') {
            qsizetype end = s_.indexOf(']', pos_);
            if (end < 0)
                fail("Feldname ohne ]");
            t.kind = Token::Name;
            t.text = s_.mid(pos_ + 1, end - pos_ - 1);
            pos_ = end + 1;
            return t;
        }
        if (c.isLetter() || c == '_') {
            qsizetype start = pos_;
            while (pos_ < s_.size() && (s_[pos_].isLetterOrNumber() || s_[pos_] == '_'))
                ++pos_;
            t.kind = Token::Name;
            t.text = s_.mid(start, pos_ - start);
            return t;
        }
        static const char* ops[] = {"<>", "<=", ">=", "!=", "=", "<", ">"};
        for (const char* op : ops) {
            QString o = QString::fromLatin1(op);
            if (s_.mid(pos_, o.size()) == o) {
                t.kind = Token::Op;
                t.text = o == "!=" ? QString("<>") : o;
                pos_ += o.size();
                return t;
            }
        }
        fail(QString("unerwartetes Zeichen '%1'").arg(c));
        return t;
    }

    void setExpectOperand(bool e) { expectOperand_ = e; }
    [[noreturn]] void fail(const QString& what) const
    {
        throw EDatenfehler(QString("Ungültiger Filter \"%1\": %2").arg(s_, what));
    }

private:
    const QString& s_;
    qsizetype pos_ = 0;
    bool expectOperand_ = true;
};

struct Operand {
    int field = -1;
    QVariant literal;
    QVariant get(const QVector<QVariant>& row) const { return field >= 0 ? row.value(field) : literal; }
};

class Compare : public FilterExpr {
public:
    Compare(Operand a, QString op, Operand b) : a_(std::move(a)), op_(std::move(op)), b_(std::move(b)) {}
    bool Matches(const QVector<QVariant>& row) const override
    {
        const QVariant x = a_.get(row), y = b_.get(row);
        if (IsNull(x) || IsNull(y))
            return false;
        int c = detail::Compare(x, y, true);
        if (op_ == "=") return c == 0;
        if (op_ == "<>") return c != 0;
        if (op_ == "<") return c < 0;
        if (op_ == ">") return c > 0;
        if (op_ == "<=") return c <= 0;
        return c >= 0;
    }
private:
    Operand a_;
    QString op_;
    Operand b_;
};

class Like : public FilterExpr {
public:
    Like(Operand a, Operand pattern, bool negate) : a_(std::move(a)), p_(std::move(pattern)), not_(negate) {}
    bool Matches(const QVector<QVariant>& row) const override
    {
        const QVariant x = a_.get(row), p = p_.get(row);
        if (IsNull(x) || IsNull(p))
            return false;
        QString pattern = ToText(p, TypeOfValue(p));
        pattern.replace('*', '%').replace('?', '_');
        return LikeMatch(pattern, ToText(x, TypeOfValue(x))) != not_;
    }
private:
    Operand a_, p_;
    bool not_;
};

class NullTest : public FilterExpr {
public:
    NullTest(Operand a, bool wantNull) : a_(std::move(a)), wantNull_(wantNull) {}
    bool Matches(const QVector<QVariant>& row) const override { return IsNull(a_.get(row)) == wantNull_; }
private:
    Operand a_;
    bool wantNull_;
};

class Logic : public FilterExpr {
public:
    Logic(bool isAnd, std::unique_ptr<FilterExpr> l, std::unique_ptr<FilterExpr> r)
        : and_(isAnd), l_(std::move(l)), r_(std::move(r)) {}
    bool Matches(const QVector<QVariant>& row) const override
    {
        return and_ ? (l_->Matches(row) && r_->Matches(row)) : (l_->Matches(row) || r_->Matches(row));
    }
private:
    bool and_;
    std::unique_ptr<FilterExpr> l_, r_;
};

class Not : public FilterExpr {
public:
    explicit Not(std::unique_ptr<FilterExpr> e) : e_(std::move(e)) {}
    bool Matches(const QVector<QVariant>& row) const override { return !e_->Matches(row); }
private:
    std::unique_ptr<FilterExpr> e_;
};

class Parser {
public:
    Parser(const QString& text, const std::function<int(const QString&)>& fieldIndex)
        : lex_(text), fieldIndex_(fieldIndex)
    {
        advance();
    }

    std::unique_ptr<FilterExpr> parse()
    {
        auto e = orExpr();
        if (tok_.kind != Token::End)
            lex_.fail("unerwartet: " + tok_.text);
        return e;
    }

private:
    void advance()
    {
        tok_ = lex_.next();
        lex_.setExpectOperand(tok_.kind == Token::Op || tok_.kind == Token::LParen || isKeyword("AND")
                              || isKeyword("OR") || isKeyword("NOT") || isKeyword("LIKE"));
    }
    bool isKeyword(const char* kw) const
    {
        return tok_.kind == Token::Name && tok_.text.compare(QLatin1String(kw), Qt::CaseInsensitive) == 0;
    }

    std::unique_ptr<FilterExpr> orExpr()
    {
        auto l = andExpr();
        while (isKeyword("OR")) {
            advance();
            l = std::make_unique<Logic>(false, std::move(l), andExpr());
        }
        return l;
    }

    std::unique_ptr<FilterExpr> andExpr()
    {
        auto l = notExpr();
        while (isKeyword("AND")) {
            advance();
            l = std::make_unique<Logic>(true, std::move(l), notExpr());
        }
        return l;
    }

    std::unique_ptr<FilterExpr> notExpr()
    {
        if (isKeyword("NOT")) {
            advance();
            return std::make_unique<Not>(notExpr());
        }
        if (tok_.kind == Token::LParen) {
            advance();
            auto e = orExpr();
            if (tok_.kind != Token::RParen)
                lex_.fail("\")\" fehlt");
            advance();
            return e;
        }
        return comparison();
    }

    Operand operand()
    {
        Operand o;
        if (tok_.kind == Token::Name) {
            if (isKeyword("NULL"))
                lex_.fail("NULL nur mit IS");
            o.field = fieldIndex_(tok_.text);
            if (o.field < 0)
                throw EDatenfehler(QString("Feld '%1' nicht gefunden").arg(tok_.text));
        } else if (tok_.kind == Token::Number || tok_.kind == Token::String) {
            o.literal = tok_.value;
        } else {
            lex_.fail(tok_.kind == Token::End ? QString("Wert fehlt") : "unerwartet: " + tok_.text);
        }
        advance();
        return o;
    }

    std::unique_ptr<FilterExpr> comparison()
    {
        Operand a = operand();
        if (isKeyword("IS")) {
            advance();
            bool negate = false;
            if (isKeyword("NOT")) {
                negate = true;
                advance();
            }
            if (!isKeyword("NULL"))
                lex_.fail("NULL erwartet");
            advance();
            return std::make_unique<NullTest>(a, !negate);
        }
        bool negate = false;
        if (isKeyword("NOT")) {
            negate = true;
            advance();
            if (!isKeyword("LIKE"))
                lex_.fail("LIKE erwartet");
        }
        if (isKeyword("LIKE")) {
            advance();
            return std::make_unique<Like>(a, operand(), negate);
        }
        if (tok_.kind != Token::Op)
            lex_.fail(tok_.kind == Token::End ? QString("Vergleich fehlt") : "Vergleich erwartet: " + tok_.text);
        QString op = tok_.text;
        advance();
        Operand b = operand();
        return std::make_unique<Compare>(a, op, b);
    }

    Lexer lex_;
    const std::function<int(const QString&)>& fieldIndex_;
    Token tok_;
};

} // namespace

std::unique_ptr<FilterExpr> ParseFilter(const QString& text, const std::function<int(const QString&)>& fieldIndex)
{
    Parser p(text, fieldIndex);
    return p.parse();
}

} // namespace Ado::detail
