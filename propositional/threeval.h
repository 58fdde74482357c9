#ifndef MORVANE_PROPOSITIONAL_THREEVAL_H
#define MORVANE_PROPOSITIONAL_THREEVAL_H

// A three-valued truth value: false, unknown or true.
class tvt
{
public:
  enum tv_enumt : unsigned
  {
    TV_FALSE = 0,
    TV_UNKNOWN = 1,
    TV_TRUE = 2
  };

  tvt() = default;

  explicit tvt(bool _value) : value(_value ? TV_TRUE : TV_FALSE)
  {
  }

  // Not explicit: a tv_enumt reads as the value it names.
  tvt(tv_enumt _value) : value(_value)
  {
  }

  tv_enumt get_value() const
  {
    return value;
  }

  bool is_true() const
  {
    return value == TV_TRUE;
  }

  bool is_false() const
  {
    return value == TV_FALSE;
  }

  bool is_unknown() const
  {
    return value == TV_UNKNOWN;
  }

  // Swaps false and true; unknown stays unknown.
  tvt operator!() const
  {
    switch(value)
    {
    case TV_FALSE:
      return tvt(TV_TRUE);
    case TV_TRUE:
      return tvt(TV_FALSE);
    default:
      return *this;
    }
  }

  bool operator==(tvt other) const
  {
    return value == other.value;
  }

  bool operator!=(tvt other) const
  {
    return value != other.value;
  }

private:
  tv_enumt value = TV_UNKNOWN;
};

// "FALSE", "UNKNOWN" or "TRUE"; "ERROR" for any other stored value.
const char *tvt_name(tvt value);

#endif
